#include "platform/sound_player.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QTimer>
#include <QtEndian>

namespace vetra {
namespace {

std::function<void(int)>& Observer() {
  static std::function<void(int)> observer;
  return observer;
}

struct Wave {
  QAudioFormat format;
  QByteArray samples;
};

// Reads the format and the data chunk of a canonical RIFF WAVE file.
bool ParseWave(const QByteArray& file, Wave& wave) {
  if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE") return false;
  int pos = 12;
  bool haveFormat = false;
  while (pos + 8 <= file.size()) {
    const QByteArray id = file.mid(pos, 4);
    const auto size = qFromLittleEndian<quint32>(file.constData() + pos + 4);
    const char* body = file.constData() + pos + 8;
    if (id == "fmt " && size >= 16) {
      wave.format.setChannelCount(qFromLittleEndian<quint16>(body + 2));
      wave.format.setSampleRate(static_cast<int>(qFromLittleEndian<quint32>(body + 4)));
      const auto bits = qFromLittleEndian<quint16>(body + 14);
      wave.format.setSampleFormat(bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
      haveFormat = true;
    } else if (id == "data") {
      wave.samples = file.mid(pos + 8, static_cast<int>(size));
      return haveFormat;
    }
    pos += 8 + static_cast<int>(size) + static_cast<int>(size & 1);
  }
  return false;
}

}  // namespace

void SetSoundObserverForTesting(std::function<void(int)> observer) { Observer() = std::move(observer); }

void PlayWave(int number, bool wait) {
  if (Observer()) {
    Observer()(number);
    return;
  }
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull()) return;
  QFile file(QStringLiteral(":/sounds/%1.wav").arg(number));
  Wave wave;
  if (!file.open(QIODevice::ReadOnly) || !ParseWave(file.readAll(), wave)) return;
  if (!device.isFormatSupported(wave.format)) return;

  auto* buffer = new QBuffer;
  buffer->setData(wave.samples);
  buffer->open(QIODevice::ReadOnly);
  auto* sink = new QAudioSink(device, wave.format);
  buffer->setParent(sink);
  QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State state) {
    if (state == QAudio::IdleState) sink->stop();
    if (state == QAudio::StoppedState) sink->deleteLater();
  });
  QEventLoop loop;
  if (wait) QObject::connect(sink, &QObject::destroyed, &loop, &QEventLoop::quit);
  sink->start(buffer);
  if (!wait) return;
  // However the device behaves, the wait ends soon after the sound would have.
  const qint64 ms = wave.format.durationForBytes(static_cast<qint32>(wave.samples.size())) / 1000;
  QTimer::singleShot(static_cast<int>(ms) + 500, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace vetra
