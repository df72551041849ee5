#include "app/Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace Dialogs {
namespace {
MessageHandler g_message;
PrintHandler g_print;
ModalHandler g_modal;

QString title()
{
    return QApplication::applicationDisplayName().isEmpty() ? QStringLiteral("Orvanta")
                                                             : QApplication::applicationDisplayName();
}
} // namespace

bool AskYesNo(QWidget *parent, const QString &text)
{
    if (g_message)
        return g_message(Kind::Question, text);
    return QMessageBox::question(parent, title(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No)
        == QMessageBox::Yes;
}

void ShowInformation(QWidget *parent, const QString &text)
{
    if (g_message) {
        g_message(Kind::Information, text);
        return;
    }
    QMessageBox::information(parent, title(), text, QMessageBox::Ok);
}

void ShowError(QWidget *parent, const QString &text)
{
    if (g_message) {
        g_message(Kind::Error, text);
        return;
    }
    QMessageBox::critical(parent, title(), text, QMessageBox::Ok);
}

bool RunPrintDialog(QWidget *parent, QPrinter &printer)
{
    if (g_print)
        return g_print(printer);
    QPrintDialog dlg(&printer, parent);
    return dlg.exec() == QDialog::Accepted;
}

int RunModal(QDialog &dialog)
{
    if (g_modal)
        return g_modal(dialog);
    return dialog.exec();
}

void SetMessageHandler(MessageHandler handler) { g_message = std::move(handler); }
void SetModalHandler(ModalHandler handler) { g_modal = std::move(handler); }
void SetPrintHandler(PrintHandler handler) { g_print = std::move(handler); }

} // namespace Dialogs
