#include "platform/testing/Doubles.h"

namespace velmora::testing {

std::vector<std::string> RecordingDialogs::Texts() const {
    std::vector<std::string> texts;
    for (const Shown& s : shown) texts.push_back(s.text);
    return texts;
}

MessageResult RecordingDialogs::ShowMessage(const std::string& text, const std::string& title,
                                           MessageButtons buttons) {
    shown.push_back(Shown{text, title, buttons});
    if (!answers.empty()) {
        const MessageResult r = answers.front();
        answers.pop_front();
        return r;
    }
    return buttons == MessageButtons::YesNo ? MessageResult::Yes : MessageResult::Ok;
}

}  // namespace velmora::testing
