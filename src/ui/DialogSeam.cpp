#include "DialogSeam.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

#include <algorithm>

namespace skyvane {

namespace {

DialogSeam::SaveFileHook& SaveFileHookSlot() {
    static DialogSeam::SaveFileHook hook;
    return hook;
}

DialogSeam::OpenFileHook& OpenFileHookSlot() {
    static DialogSeam::OpenFileHook hook;
    return hook;
}

DialogSeam::PrintHook& PrintHookSlot() {
    static DialogSeam::PrintHook hook;
    return hook;
}

DialogSeam::PrintPreviewHook& PrintPreviewHookSlot() {
    static DialogSeam::PrintPreviewHook hook;
    return hook;
}

DialogSeam::MessageHook& MessageHookSlot() {
    static DialogSeam::MessageHook hook;
    return hook;
}

DialogSeam::ProgressHook& ProgressHookSlot() {
    static DialogSeam::ProgressHook hook;
    return hook;
}

DialogSeam::NumberHook& NumberHookSlot() {
    static DialogSeam::NumberHook hook;
    return hook;
}

DialogSeam::TextHook& TextHookSlot() {
    static DialogSeam::TextHook hook;
    return hook;
}

DialogSeam::ChoiceHook& ChoiceHookSlot() {
    static DialogSeam::ChoiceHook hook;
    return hook;
}

} // namespace

QString DialogSeam::getSaveFileName(QWidget* parent, const SaveDialogRequest& request) {
    if (SaveFileHookSlot())
        return SaveFileHookSlot()(request);
    // A dialog of our own rather than the static helper, so the default suffix is applied and
    // the process's current directory is left alone.
    QFileDialog dialog(parent, request.title, request.directory, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString DialogSeam::getOpenFileName(QWidget* parent, const QString& title, const QString& filter) {
    if (OpenFileHookSlot())
        return OpenFileHookSlot()(title, filter);
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool DialogSeam::askPrint(QWidget* parent, QPrinter& printer) {
    if (PrintHookSlot())
        return PrintHookSlot()(printer);
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void DialogSeam::showPrintPreview(QWidget* parent, QPrinter& printer,
                                  const std::function<void(QPrinter&)>& paint,
                                  const std::function<void(QDialog&)>& furnish) {
    if (PrintPreviewHookSlot()) {
        PrintPreviewHookSlot()(printer, paint);
        return;
    }
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter* target) { paint(*target); });
    if (furnish)
        furnish(dialog);
    dialog.exec();
}

void DialogSeam::showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                             const QString& text) {
    if (MessageHookSlot()) {
        MessageHookSlot()(icon, title, text);
        return;
    }
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

int DialogSeam::askChoice(QWidget* parent, const QString& title, const QString& text,
                          const QStringList& answers) {
    if (ChoiceHookSlot())
        return ChoiceHookSlot()(title, text, answers);
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> buttons;
    for (const QString& answer : answers)
        buttons << box.addButton(answer, QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel);
    if (!buttons.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons.constFirst()));
    box.exec();
    return int(buttons.indexOf(box.clickedButton()));
}

std::optional<double> DialogSeam::askNumber(QWidget* parent, const QString& title,
                                            const QString& label, double value, double low,
                                            double high) {
    if (NumberHookSlot())
        return NumberHookSlot()(title, label, value);
    bool ok = false;
    const double number = QInputDialog::getDouble(parent, title, label, value, low, high, 2, &ok);
    return ok ? std::optional<double>(number) : std::nullopt;
}

std::optional<QString> DialogSeam::askText(QWidget* parent, const QString& title,
                                           const QString& label, const QString& text) {
    if (TextHookSlot())
        return TextHookSlot()(title, label, text, {});
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent, title, label, QLineEdit::Normal, text, &ok);
    return ok ? std::optional<QString>(answer) : std::nullopt;
}

std::optional<QString> DialogSeam::askItem(QWidget* parent, const QString& title,
                                           const QString& label, const QStringList& items,
                                           const QString& current) {
    if (TextHookSlot())
        return TextHookSlot()(title, label, current, items);
    bool ok = false;
    const QString answer = QInputDialog::getItem(
        parent, title, label, items, std::max(0, int(items.indexOf(current))), false, &ok);
    return ok ? std::optional<QString>(answer) : std::nullopt;
}

void DialogSeam::showProgress(QProgressDialog& dialog) {
    if (ProgressHookSlot())
        ProgressHookSlot()(dialog);
}

void DialogSeam::setSaveFileHook(SaveFileHook hook) {
    SaveFileHookSlot() = std::move(hook);
}

void DialogSeam::setOpenFileHook(OpenFileHook hook) {
    OpenFileHookSlot() = std::move(hook);
}

void DialogSeam::setPrintHook(PrintHook hook) {
    PrintHookSlot() = std::move(hook);
}

void DialogSeam::setPrintPreviewHook(PrintPreviewHook hook) {
    PrintPreviewHookSlot() = std::move(hook);
}

void DialogSeam::setMessageHook(MessageHook hook) {
    MessageHookSlot() = std::move(hook);
}

void DialogSeam::setProgressHook(ProgressHook hook) {
    ProgressHookSlot() = std::move(hook);
}

void DialogSeam::setNumberHook(NumberHook hook) {
    NumberHookSlot() = std::move(hook);
}

void DialogSeam::setTextHook(TextHook hook) {
    TextHookSlot() = std::move(hook);
}

void DialogSeam::setChoiceHook(ChoiceHook hook) {
    ChoiceHookSlot() = std::move(hook);
}

void DialogSeam::clearHooks() {
    ChoiceHookSlot() = nullptr;
    NumberHookSlot() = nullptr;
    TextHookSlot() = nullptr;
    SaveFileHookSlot() = nullptr;
    OpenFileHookSlot() = nullptr;
    PrintHookSlot() = nullptr;
    PrintPreviewHookSlot() = nullptr;
    MessageHookSlot() = nullptr;
    ProgressHookSlot() = nullptr;
}

} // namespace skyvane
