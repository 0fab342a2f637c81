#include "platform/testing/Doubles.h"

namespace velmora::testing {

std::vector<std::string> RecordingDialogs::Texts() const {
    std::vector<std::string> texts;
    for (const Shown& s : shown) texts.push_back(s.text);
    return texts;
}

std::vector<std::string> RecordingDialogs::Titled() const {
    std::vector<std::string> lines;
    for (const Shown& s : shown) lines.push_back(s.title + ": " + s.text);
    return lines;
}

MessageResult RecordingDialogs::ShowMessage(const std::string& text, const std::string& title,
                                           MessageButtons buttons) {
    shown.push_back(Shown{text, title, buttons});
    if (onShow) onShow();
    if (!answers.empty()) {
        const MessageResult r = answers.front();
        answers.pop_front();
        return r;
    }
    return buttons == MessageButtons::YesNo ? MessageResult::Yes : MessageResult::Ok;
}

}  // namespace velmora::testing
