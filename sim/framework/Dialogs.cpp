#include "sim/framework/Dialogs.h"

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

bool askYesNo(QWidget *parent, const QString &text)
{
    if (g_message)
        return g_message(Kind::Question, text);
    return QMessageBox::question(parent, title(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No)
        == QMessageBox::Yes;
}

void showInformation(QWidget *parent, const QString &text)
{
    if (g_message) {
        g_message(Kind::Information, text);
        return;
    }
    QMessageBox::information(parent, title(), text, QMessageBox::Ok);
}

void showError(QWidget *parent, const QString &text)
{
    if (g_message) {
        g_message(Kind::Error, text);
        return;
    }
    QMessageBox::critical(parent, title(), text, QMessageBox::Ok);
}

bool runPrintDialog(QWidget *parent, QPrinter &printer)
{
    if (g_print)
        return g_print(printer);
    QPrintDialog dlg(&printer, parent);
    return dlg.exec() == QDialog::Accepted;
}

int runModal(QDialog &dialog)
{
    if (g_modal)
        return g_modal(dialog);
    return dialog.exec();
}

void setMessageHandler(MessageHandler handler) { g_message = std::move(handler); }
void setModalHandler(ModalHandler handler) { g_modal = std::move(handler); }
void setPrintHandler(PrintHandler handler) { g_print = std::move(handler); }

} // namespace Dialogs
