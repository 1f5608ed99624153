#pragma once

#include <QString>

#include <optional>

// How logic asks the user something or tells them something. Windows answer
// with real message boxes; tests answer with a script.
class Prompts
{
public:
    enum class Icon { None, Information, Exclamation };
    enum class Buttons { Ok, OkCancel, YesNo };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Prompts() = default;

    // defaultAnswer is the button that Enter presses (the safe one for confirmations).
    virtual Answer message(const QString &text, Icon icon = Icon::None,
                           Buttons buttons = Buttons::Ok, Answer defaultAnswer = Answer::Ok,
                           const QString &title = QString()) = 0;

    // An input box; nullopt when cancelled.
    virtual std::optional<QString> input(const QString &title, const QString &prompt,
                                         const QString &initial = QString()) = 0;
};
