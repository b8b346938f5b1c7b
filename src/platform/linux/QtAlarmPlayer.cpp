#include "platform/linux/QtAlarmPlayer.h"

#include <sys/stat.h>

#include <QAudioOutput>
#include <QByteArray>
#include <QFile>
#include <QUrl>

#include "platform/MessagePrompt.h"

namespace velmora {
namespace {

// An empty path never reaches the player; it is reported in the player's own
// words for a file that does not exist.
constexpr const char* kNoFile = "Resource not found.";

// The player would block the window opening a FIFO (or read a device for
// ever), so only regular files reach it. A missing file is left to the
// player, which reports it in its own words. Checked with stat(), which
// follows links and never opens the file.
bool ExistsButIsNotRegular(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

}  // namespace

QtAlarmPlayer::QtAlarmPlayer(MessagePrompt& prompt) : prompt_(prompt) {
    // The first player brings the media backend up (loading, on a first run
    // even indexing, its plugins); that moment is spent here, at start-up,
    // rather than when the alarm fires.
    QMediaPlayer warmUp;
}

QtAlarmPlayer::~QtAlarmPlayer() = default;

void QtAlarmPlayer::Play(const std::string& path) {
    // Every alarm gets a player of its own, so it starts from the beginning
    // and its errors are its own.
    Close();
    reported_ = false;
    const unsigned generation = ++generation_;
    if (path.empty()) {
        ReportOnce(QString::fromLatin1(kNoFile));
        return;
    }
    if (ExistsButIsNotRegular(path)) {
        ReportOnce(QStringLiteral("\"%1\" is not a regular file.")
                       .arg(QFile::decodeName(QByteArray::fromStdString(path))));
        return;
    }
    player_ = std::make_unique<QMediaPlayer>();
    player_->setAudioOutput(new QAudioOutput(player_.get()));
    player_->setLoops(QMediaPlayer::Once);
    // The backend may signal one failure several times, in different words;
    // the first is the one shown. A late signal of an earlier player is not
    // this alarm's failure.
    QObject::connect(player_.get(), &QMediaPlayer::errorOccurred, &context_,
                     [this, generation](QMediaPlayer::Error, const QString& text) {
                         if (generation == generation_ && player_) {
                             ReportOnce(text.isEmpty() ? player_->errorString() : text);
                         }
                     });
    player_->setSource(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path))));
    player_->play();
}

void QtAlarmPlayer::Stop() {
    if (player_) {
        player_->stop();
    }
}

void QtAlarmPlayer::Close() {
    if (player_) {
        player_->stop();
        player_.reset();
    }
}

void QtAlarmPlayer::ReportOnce(const QString& text) {
    if (reported_) {
        return;
    }
    reported_ = true;
    // Shown from the event loop rather than from inside the player's signal:
    // the message box runs a nested loop, in which the user may close the
    // player (Disable) while the backend is still delivering its error.
    const std::string message = text.toStdString();
    QMetaObject::invokeMethod(
        &context_, [this, message] { prompt_.Stop(message); }, Qt::QueuedConnection);
}

}  // namespace velmora
