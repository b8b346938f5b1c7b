#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/MessagePrompt.h"

namespace velmora {

// The program's message boxes, shown over an owner window: the one given, or
// else the window that is active when the box opens. All are modal but the
// notices.
class QtMessagePrompt : public MessagePrompt {
public:
    explicit QtMessagePrompt(QWidget* owner = nullptr) : owner_(owner) {}
    void SetOwner(QWidget* owner) { owner_ = owner; }

    void Information(std::string_view text) override;
    void Stop(std::string_view text) override;
    bool Question(std::string_view text) override;
    bool Warning(std::string_view text) override;
    void Notice(std::string_view text) override;

private:
    QWidget* Owner() const;

    QPointer<QWidget> owner_;
};

}  // namespace velmora
