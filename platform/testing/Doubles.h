#pragma once
// Test stand-ins that need no operating system, shared by the native and the Windows tests.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/System.h"

namespace velmora::testing {

class RecordingDialogs : public Dialogs {
public:
    struct Shown {
        std::string text, title;
        MessageButtons buttons;
    };
    MessageResult ShowMessage(const std::string& text, const std::string& title,
                             MessageButtons buttons) override;

    // The texts of the messages shown so far, in order.
    std::vector<std::string> Texts() const;
    // The same as "title: text".
    std::vector<std::string> Titled() const;

    std::vector<Shown> shown;
    // Answers to give, in order; when empty, OK or Yes.
    std::deque<MessageResult> answers;
    // Runs while a message is up, as the events a real message box's loop lets through.
    std::function<void()> onShow;
};

class IdentityCodePage : public CodePage {
public:
    std::string ToSystem(const std::string& utf8) override { return utf8; }
    std::string FromSystem(const std::string& bytes) override { return bytes; }
};

}  // namespace velmora::testing
