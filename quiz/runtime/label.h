#pragma once

#include <QLabel>

namespace rt {

// A label as the forms platform draws one: its Caption, read back exactly as it was set,
// shown line by line (CR LF, a lone CR or a lone LF ends a line) from the top of the area
// inside its border, each line left-aligned or centred, with no indent or margin of its
// own. With autoSize it takes the extent of its caption plus its border, its upper left
// corner in place.
//
// A caption may be a whole file's text: setting one costs time in proportion to its
// size, and a repaint only draws the lines that reach the repainted area.
class Label : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)

public:
    explicit Label(QWidget *parent = nullptr);

    QString caption() const;
    void setCaption(const QString &caption);

    bool autoSize() const;
    void setAutoSize(bool on);
    // With autoSize: takes the size of the caption shown now.
    void fitCaption();

    // The caption's extent in the label's font plus the border (QLabel's own hints would
    // add an indent and lay out the whole caption as one text).
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    // The layout's own captions are fitted when the label is first polished, that is
    // before it is first shown, once its font is the one it will be drawn with, and
    // again whenever its font changes.
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_autoSize = false;
};

} // namespace rt
