#pragma once

#include <QLabel>

namespace rt {

// A label whose Caption reads back exactly as it was set, line ends included, and which,
// with autoSize, takes the size of each new caption with its upper left corner in place.
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

protected:
    // The layout's own captions are fitted when the label is first polished, that is
    // before it is first shown, once its font is the one it will be drawn with.
    bool event(QEvent *event) override;

private:
    QString m_caption;
    bool m_captionSet = false;
    bool m_autoSize = false;
};

} // namespace rt
