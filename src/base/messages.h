#pragma once

#include <QString>

// The icon a message box shows. None is the plain box.
enum class MessageIcon { None, Information, Exclamation, Stop };

// Where logic sends the texts the user must see. The program shows them in message boxes;
// tests record them. Implementations must accept calls from any thread.
class IMessageSink
{
public:
    virtual ~IMessageSink() = default;
    virtual void ShowMessage(const QString& text, MessageIcon icon) = 0;
};

namespace Messages {
// Installs the sink for the whole process (not owned; it must outlive every caller).
// With none installed, messages go to standard error.
void SetSink(IMessageSink* sink);
IMessageSink* Sink();
// Shows a text through the installed sink. Safe from any thread.
void Show(const QString& text, MessageIcon icon = MessageIcon::None);
}  // namespace Messages
