#pragma once
// The program's message boxes and the print dialog go through these calls,
// so that tests can answer them without a user. By default they show the
// real Qt dialogs.
#include <QString>
#include <functional>

class QWidget;
class QPrinter;
class QDialog;

namespace Dialogs {

enum class Kind { Question, Information, Error };

// A question with Yes and No; true for Yes.
bool askYesNo(QWidget *parent, const QString &text);
// An information or error message with an OK button.
void showInformation(QWidget *parent, const QString &text);
void showError(QWidget *parent, const QString &text);
// The print dialog; true when the user confirmed.
bool runPrintDialog(QWidget *parent, QPrinter &printer);
// Any other modal window of the program (the magnifier, the About box);
// returns the dialog's result code.
int runModal(QDialog &dialog);

// Test hooks. A handler gets the kind and text (or the printer) and returns
// the answer; pass an empty function to go back to the real dialogs.
using MessageHandler = std::function<bool(Kind, const QString &)>;
using PrintHandler = std::function<bool(QPrinter &)>;
using ModalHandler = std::function<int(QDialog &)>;
void setMessageHandler(MessageHandler handler);
void setPrintHandler(PrintHandler handler);
void setModalHandler(ModalHandler handler);

} // namespace Dialogs
