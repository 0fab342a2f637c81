#pragma once
#include <string>

namespace velmora {

enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageResult { Ok, Cancel, Yes, No };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal message box over the program's active window.
    virtual MessageResult ShowMessage(const std::string& text, const std::string& title,
                                     MessageButtons buttons) = 0;
};

}  // namespace velmora
