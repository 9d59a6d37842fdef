#pragma once

#include <QByteArray>
#include <QtGlobal>

// Appends integers in the byte order of Windows file headers.
class LittleEndian
{
public:
    static void put16(QByteArray &out, quint16 v)
    {
        out.append(char(v & 0xff));
        out.append(char(v >> 8));
    }
    static void put32(QByteArray &out, quint32 v)
    {
        put16(out, quint16(v & 0xffff));
        put16(out, quint16(v >> 16));
    }
};
