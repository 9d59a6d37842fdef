#include "wavefile.h"

#include <cstring>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rt {

namespace {

// A sound of ours has four chunks. A file that hides its samples behind more is not
// worth the time of walking millions of padding chunks: it is taken as damaged.
constexpr int maxChunks = 64;

std::uint32_t le(const unsigned char *p, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

bool readAt(int fd, void *buffer, std::size_t size, std::uint64_t offset)
{
    return pread(fd, buffer, size, off_t(offset)) == ssize_t(size);
}

// A descriptor of a regular file, or -1. The type is checked before the open, so that
// no device is ever opened, and after it, since the name may have changed meanwhile;
// O_NONBLOCK keeps even that open of a pipe from waiting for a writer.
class RegularFile
{
public:
    explicit RegularFile(const std::string &path)
    {
        struct stat st;
        if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            return;
        m_fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (m_fd >= 0 && (fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode))) {
            close(m_fd);
            m_fd = -1;
        }
        m_size = m_fd >= 0 ? std::uint64_t(st.st_size) : 0;
    }
    ~RegularFile()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    RegularFile(const RegularFile &) = delete;
    RegularFile &operator=(const RegularFile &) = delete;

    int fd() const { return m_fd; }
    std::uint64_t size() const { return m_size; }

private:
    int m_fd = -1;
    std::uint64_t m_size = 0;
};

bool readLayout(const RegularFile &file, WaveLayout &layout)
{
    unsigned char riff[12];
    if (file.fd() < 0 || !readAt(file.fd(), riff, sizeof riff, 0)
        || std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0)
        return false;
    bool format = false;
    std::uint64_t pos = 12;
    for (int chunk = 0; chunk < maxChunks && pos + 8 <= file.size(); ++chunk) {
        unsigned char header[8];
        if (!readAt(file.fd(), header, sizeof header, pos))
            return false;
        const std::uint32_t length = le(header + 4, 4);
        if (std::memcmp(header, "fmt ", 4) == 0) {
            unsigned char body[16];
            if (length < sizeof body || !readAt(file.fd(), body, sizeof body, pos + 8))
                return false;
            layout.format.encoding = std::uint16_t(le(body, 2));
            layout.format.channels = std::uint16_t(le(body + 2, 2));
            layout.format.sampleRate = le(body + 4, 4);
            layout.format.bitsPerSample = std::uint16_t(le(body + 14, 2));
            format = true;
        } else if (std::memcmp(header, "data", 4) == 0) {
            // A file cut short is kept silent rather than played in part: a note cut
            // short would sound like another note value.
            if (!format || length == 0 || pos + 8 + length > file.size())
                return false;
            layout.dataOffset = pos + 8;
            layout.dataBytes = length;
            return true;
        }
        pos += 8 + std::uint64_t(length) + (length & 1);
    }
    return false;
}

void put(std::ofstream &out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i, v >>= 8)
        out.put(char(v & 0xff));
}

} // namespace

bool readWaveLayout(const std::string &path, WaveLayout &layout)
{
    return readLayout(RegularFile(path), layout);
}

std::vector<std::int16_t> readWaveSamples16(const std::string &path, WaveFormat *format)
{
    const RegularFile file(path);
    WaveLayout layout;
    if (!readLayout(file, layout) || layout.format.encoding != 1 || layout.format.bitsPerSample != 16)
        return {};
    std::vector<unsigned char> bytes(layout.dataBytes);
    if (!readAt(file.fd(), bytes.data(), bytes.size(), layout.dataOffset))
        return {};
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = std::int16_t(le(&bytes[2 * i], 2));
    if (format)
        *format = layout.format;
    return samples;
}

bool writeWave16(const std::string &path, const WaveFormat &format,
                 const std::vector<std::int16_t> &samples)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    const std::uint32_t blockAlign = format.channels * 2u;
    const std::uint32_t dataBytes = std::uint32_t(samples.size() * 2);
    out.write("RIFF", 4);
    put(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    put(out, 16, 4);
    put(out, 1, 2); // PCM
    put(out, format.channels, 2);
    put(out, format.sampleRate, 4);
    put(out, format.sampleRate * blockAlign, 4);
    put(out, blockAlign, 2);
    put(out, 16, 2);
    out.write("data", 4);
    put(out, dataBytes, 4);
    for (std::int16_t s : samples)
        put(out, std::uint16_t(s), 2);
    return bool(out.flush());
}

} // namespace rt
