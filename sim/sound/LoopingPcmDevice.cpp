#include "sim/sound/LoopingPcmDevice.h"

#include <algorithm>
#include <cstring>
#include <limits>

LoopingPcmDevice::LoopingPcmDevice(QObject *parent) : QIODevice(parent) {}

void LoopingPcmDevice::setPeriod(const QByteArray &pcm)
{
    m_period = pcm;
    m_offset = 0;
}

qint64 LoopingPcmDevice::bytesAvailable() const
{
    return m_period.isEmpty() ? QIODevice::bytesAvailable() : std::numeric_limits<int>::max();
}

qint64 LoopingPcmDevice::readData(char *data, qint64 maxSize)
{
    const qint64 n = m_period.size();
    if (n == 0 || maxSize <= 0)
        return 0;
    qint64 done = 0;
    while (done < maxSize) {
        const qint64 chunk = std::min(maxSize - done, n - m_offset);
        memcpy(data + done, m_period.constData() + m_offset, size_t(chunk));
        done += chunk;
        m_offset = (m_offset + chunk) % n;
    }
    return done;
}

qint64 LoopingPcmDevice::writeData(const char *, qint64)
{
    return -1;
}
