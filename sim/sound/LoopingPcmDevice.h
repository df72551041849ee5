#pragma once
// Serves one period of PCM data over and over: the audio output pulls as
// much as it wants and always gets the next bytes of the endless loop, so
// the period repeats without a gap.
#include <QByteArray>
#include <QIODevice>

class LoopingPcmDevice : public QIODevice
{
    Q_OBJECT
public:
    explicit LoopingPcmDevice(QObject *parent = nullptr);

    // The next read starts at the period's first byte.
    void setPeriod(const QByteArray &pcm);
    const QByteArray &period() const { return m_period; }

    bool isSequential() const override { return true; }
    // Endless while a period is set.
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    QByteArray m_period;
    qint64 m_offset = 0;
};
