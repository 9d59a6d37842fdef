#include "stderrcapture.h"

#include <cstdio>
#include <unistd.h>

StderrCapture::StderrCapture()
{
    if (!m_file.open())
        return;
    std::fflush(stderr);
    m_saved = ::dup(2);
    if (m_saved >= 0)
        ::dup2(m_file.handle(), 2);
}

StderrCapture::~StderrCapture()
{
    finish();
}

QByteArray StderrCapture::finish()
{
    if (m_saved < 0)
        return {};
    std::fflush(stderr);
    ::dup2(m_saved, 2);
    ::close(m_saved);
    m_saved = -1;
    m_file.seek(0);
    return m_file.readAll();
}
