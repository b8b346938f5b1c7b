#include "platform/linux/player/QtAlarmPlayer.h"

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

QtAlarmPlayer::QtAlarmPlayer(MessagePrompt& prompt) : prompt_(prompt) {}

QtAlarmPlayer::~QtAlarmPlayer() = default;

std::unique_ptr<QMediaPlayer> QtAlarmPlayer::OpenPlayer(const std::string& path) {
    // The first player brings the media backend up, with its threads and
    // plug-ins; the output is the one that is the default at this moment.
    auto player = std::make_unique<QMediaPlayer>();
    player->setAudioOutput(new QAudioOutput(player.get()));
    player->setLoops(QMediaPlayer::Once);
    player->setSource(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path))));
    return player;
}

void QtAlarmPlayer::Prepare(const std::string& path) {
    if (prepared_ && preparedPath_ == path) {
        return;
    }
    prepared_.reset();
    // What Play would report is left to Play.
    if (!path.empty() && !ExistsButIsNotRegular(path)) {
        prepared_ = OpenPlayer(path);  // loads the file in the event loop
        preparedPath_ = path;
    }
}

void QtAlarmPlayer::Play(const std::string& path) {
    // The player readied for this very file, unless it failed; otherwise
    // every alarm gets a player of its own, so it starts from the beginning
    // and its errors are its own.
    std::unique_ptr<QMediaPlayer> ready;
    if (prepared_ && preparedPath_ == path && prepared_->error() == QMediaPlayer::NoError) {
        ready = std::move(prepared_);
    }
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
    player_ = ready ? std::move(ready) : OpenPlayer(path);
    // The backend may signal one failure several times, in different words;
    // the first is the one shown. A late signal of an earlier player is not
    // this alarm's failure.
    QObject::connect(player_.get(), &QMediaPlayer::errorOccurred, &context_,
                     [this, generation](QMediaPlayer::Error, const QString& text) {
                         if (generation == generation_ && player_) {
                             ReportOnce(text.isEmpty() ? player_->errorString() : text);
                         }
                     });
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
    prepared_.reset();
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
