#include "platform/Dialogs.h"

#include "platform/Services.h"
#include "platform/VbError.h"

#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <cassert>

namespace vb {

// ---- Style numbers ----------------------------------------------------------

MsgButtons buttonsOf(int style)
{
    int b = style & 0xF;
    if (b > 5)
        b = 0;
    return static_cast<MsgButtons>(b);
}

MsgIcon iconOf(int style)
{
    switch (style & 0x70) {
    case 16: return MsgIcon::Critical;
    case 32: return MsgIcon::Question;
    case 48: return MsgIcon::Exclamation;
    case 64: return MsgIcon::Information;
    default: return MsgIcon::None;
    }
}

int defaultButtonOf(int style)
{
    switch (style & 0xF00) {
    case 256: return 2;
    case 512: return 3;
    default: return 1;
    }
}

std::vector<int> resultsOf(MsgButtons b)
{
    switch (b) {
    case MsgButtons::OKOnly: return {vbOK};
    case MsgButtons::OKCancel: return {vbOK, vbCancel};
    case MsgButtons::AbortRetryIgnore: return {vbAbort, vbRetry, vbIgnore};
    case MsgButtons::YesNoCancel: return {vbYes, vbNo, vbCancel};
    case MsgButtons::YesNo: return {vbYes, vbNo};
    case MsgButtons::RetryCancel: return {vbRetry, vbCancel};
    }
    return {vbOK};
}

int defaultResultOf(int style)
{
    const auto r = resultsOf(buttonsOf(style));
    const int i = std::min<int>(defaultButtonOf(style), int(r.size())) - 1;
    return r[static_cast<size_t>(i)];
}

int escapeResultOf(int style)
{
    const auto r = resultsOf(buttonsOf(style));
    for (int x : r) {
        if (x == vbCancel)
            return vbCancel;
    }
    switch (buttonsOf(style)) {
    case MsgButtons::YesNo: return vbNo;
    case MsgButtons::AbortRetryIgnore: return vbAbort;
    default: return vbOK;
    }
}

// ---- Qt dialogs ---------------------------------------------------------

namespace {

QString buttonText(int result)
{
    const bool german = locale().languageCode() == 3;
    switch (result) {
    case vbOK: return QStringLiteral("OK");
    case vbCancel: return german ? QStringLiteral("Abbrechen") : QStringLiteral("Cancel");
    case vbAbort: return german ? QStringLiteral("Abbrechen") : QStringLiteral("Abort");
    case vbRetry: return german ? QStringLiteral("Wiederholen") : QStringLiteral("Retry");
    case vbIgnore: return german ? QStringLiteral("Ignorieren") : QStringLiteral("Ignore");
    case vbYes: return german ? QStringLiteral("Ja") : QStringLiteral("Yes");
    case vbNo: return german ? QStringLiteral("Nein") : QStringLiteral("No");
    }
    return QString();
}

QMessageBox::ButtonRole roleOf(int result)
{
    switch (result) {
    case vbOK:
    case vbYes:
    case vbRetry:
        return QMessageBox::AcceptRole;
    case vbNo:
        return QMessageBox::NoRole;
    case vbCancel:
    case vbAbort:
        return QMessageBox::RejectRole;
    default:
        return QMessageBox::ActionRole;
    }
}

QString titleOr(const QString& t) { return t.isEmpty() ? appTitle() : t; }

// A dialog shown while an operation holds the hourglass is answered with the
// normal pointer; the hourglass comes back when the dialog closes.
class NormalerZeiger {
public:
    NormalerZeiger() : m_ueberSanduhr(QGuiApplication::overrideCursor() != nullptr)
    {
        if (m_ueberSanduhr)
            QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    }
    ~NormalerZeiger()
    {
        if (m_ueberSanduhr)
            QGuiApplication::restoreOverrideCursor();
    }
    NormalerZeiger(const NormalerZeiger&) = delete;
    NormalerZeiger& operator=(const NormalerZeiger&) = delete;

private:
    bool m_ueberSanduhr;
};

} // namespace

std::unique_ptr<QMessageBox> QtDialogs::createMessageBox(const MessageBoxCall& call, QWidget* parent)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(titleOr(call.title));
    // VB boxes take CR LF; a lone CR also breaks the line there.
    QString text = call.prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    switch (call.icon()) {
    case MsgIcon::Critical: box->setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box->setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box->setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box->setIcon(QMessageBox::Information); break;
    case MsgIcon::None: box->setIcon(QMessageBox::NoIcon); break;
    }
    const auto results = resultsOf(call.buttons());
    const int def = std::min<int>(defaultButtonOf(call.style), int(results.size())) - 1;
    const int esc = escapeResultOf(call.style);
    for (int k = 0; k < int(results.size()); ++k) {
        const int r = results[size_t(k)];
        QPushButton* b = box->addButton(buttonText(r), roleOf(r));
        b->setProperty("vbResult", r);
        if (k == def)
            box->setDefaultButton(b);
        if (r == esc)
            box->setEscapeButton(b);
    }
    if (call.style & vbMsgBoxHelpButton) {
        // The help button opens the help and leaves the box open.
        auto* help = new QPushButton(locale().languageCode() == 3 ? QStringLiteral("Hilfe") : QStringLiteral("Help"));
        box->addButton(help, QMessageBox::HelpRole);
        QObject::disconnect(help, &QAbstractButton::clicked, nullptr, nullptr);
        const QString file = call.helpFile;
        QObject::connect(help, &QPushButton::clicked, box.get(), [file] {
            if (!file.isEmpty())
                desktop().open(file);
        });
    }
    return box;
}

int QtDialogs::resultOf(const QMessageBox& box, int style)
{
    if (QAbstractButton* clicked = box.clickedButton()) {
        const QVariant r = clicked->property("vbResult");
        if (r.isValid())
            return r.toInt();
    }
    return escapeResultOf(style);
}

int QtDialogs::messageBox(const MessageBoxCall& call)
{
    NormalerZeiger zeiger;
    auto box = createMessageBox(call, parentWidget());
    box->exec();
    return resultOf(*box, call.style);
}

std::optional<QString> QtDialogs::inputBox(const InputBoxCall& call)
{
    NormalerZeiger zeiger;
    QInputDialog dlg(parentWidget());
    dlg.setWindowTitle(titleOr(call.title));
    dlg.setLabelText(call.prompt);
    if (call.choices.isEmpty()) {
        dlg.setInputMode(QInputDialog::TextInput);
        dlg.setTextValue(call.defaultText);
    } else {
        dlg.setComboBoxItems(call.choices);
        dlg.setComboBoxEditable(false);
        dlg.setTextValue(call.defaultText.isEmpty() ? call.choices.first() : call.defaultText);
    }
    if (locale().languageCode() == 3)
        dlg.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.textValue();
}

std::optional<QString> QtDialogs::fileDialog(const FileDialogCall& call)
{
    NormalerZeiger zeiger;
    QString start = call.directory;
    if (!call.fileName.isEmpty())
        start = start.isEmpty() ? call.fileName : start + QChar('/') + call.fileName;
    const QString path = call.save
                             ? QFileDialog::getSaveFileName(parentWidget(), titleOr(call.title), start, call.filter)
                             : QFileDialog::getOpenFileName(parentWidget(), titleOr(call.title), start, call.filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<PrintChoice> QtDialogs::printDialog(const PrintDialogCall& call)
{
    NormalerZeiger zeiger;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    // The dialog takes the proposed file from the printer it is made for.
    if (call.printToFile)
        printer.setOutputFileName(call.outputFile);
    QPrintDialog dlg(&printer, parentWidget());
    dlg.setMinMax(call.minPage, call.maxPage);
    dlg.setFromTo(call.fromPage, call.toPage);
    QAbstractPrintDialog::PrintDialogOptions opts = QAbstractPrintDialog::PrintCollateCopies;
    if (call.allowPageRange)
        opts |= QAbstractPrintDialog::PrintPageRange;
    if (call.printToFile)
        opts |= QAbstractPrintDialog::PrintToFile;
    dlg.setOptions(opts);
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    PrintChoice c;
    c.allPages = printer.printRange() == QPrinter::AllPages;
    c.fromPage = c.allPages ? call.minPage : printer.fromPage();
    c.toPage = c.allPages ? call.maxPage : printer.toPage();
    c.copies = printer.copyCount();
    c.printerName = printer.printerName();
    if (printer.outputFormat() == QPrinter::PdfFormat)
        c.outputFile = printer.outputFileName();
    return c;
}

std::optional<QColor> QtDialogs::colorDialog(const ColorDialogCall& call)
{
    NormalerZeiger zeiger;
    const QColor c = QColorDialog::getColor(call.initial, parentWidget(), titleOr(call.title));
    if (!c.isValid())
        return std::nullopt;
    return c;
}

// ---- The installed service ---------------------------------------------

namespace {
DialogService* g_dialogs = nullptr;
QtDialogs& qtDialogs()
{
    static QtDialogs d;
    return d;
}
} // namespace

DialogService& dialogs() { return g_dialogs ? *g_dialogs : qtDialogs(); }

DialogService* setDialogs(DialogService* service)
{
    DialogService* prev = g_dialogs;
    g_dialogs = service;
    return prev;
}

// ---- Scripted dialogs -------------------------------------------------------

namespace {
// The next queued answer, or `answer` (the default) when the script has none left.
template <class T>
T nextAnswer(std::deque<T>& queue, T answer)
{
    if (!queue.empty()) {
        answer = queue.front();
        queue.pop_front();
    }
    return answer;
}
} // namespace

ScriptedDialogs& ScriptedDialogs::answerMessage(int result)
{
    m_msg.push_back(result);
    return *this;
}
ScriptedDialogs& ScriptedDialogs::answerInput(const QString& text)
{
    m_input.emplace_back(text);
    return *this;
}
ScriptedDialogs& ScriptedDialogs::cancelInput()
{
    m_input.emplace_back(std::nullopt);
    return *this;
}
ScriptedDialogs& ScriptedDialogs::answerFile(const QString& path)
{
    m_file.emplace_back(path);
    return *this;
}
ScriptedDialogs& ScriptedDialogs::cancelFile()
{
    m_file.emplace_back(std::nullopt);
    return *this;
}
ScriptedDialogs& ScriptedDialogs::answerPrint(const PrintChoice& choice)
{
    m_print.emplace_back(choice);
    return *this;
}
ScriptedDialogs& ScriptedDialogs::cancelPrint()
{
    m_print.emplace_back(std::nullopt);
    return *this;
}
ScriptedDialogs& ScriptedDialogs::answerColor(const QColor& c)
{
    m_color.emplace_back(c);
    return *this;
}
ScriptedDialogs& ScriptedDialogs::cancelColor()
{
    m_color.emplace_back(std::nullopt);
    return *this;
}

std::vector<DialogRecord> ScriptedDialogs::messages() const
{
    std::vector<DialogRecord> out;
    for (const auto& r : m_records) {
        if (r.kind == DialogRecord::Kind::MessageBox)
            out.push_back(r);
    }
    return out;
}

const DialogRecord& ScriptedDialogs::last() const
{
    assert(!m_records.empty());
    return m_records.back();
}

void ScriptedDialogs::clear()
{
    m_records.clear();
    m_msg.clear();
    m_input.clear();
    m_file.clear();
    m_print.clear();
    m_color.clear();
}

int ScriptedDialogs::pendingAnswers() const
{
    return int(m_msg.size() + m_input.size() + m_file.size() + m_print.size() + m_color.size());
}

int ScriptedDialogs::messageBox(const MessageBoxCall& call)
{
    DialogRecord r;
    r.kind = DialogRecord::Kind::MessageBox;
    r.title = titleOr(call.title);
    r.text = call.prompt;
    r.style = call.style;
    r.buttons = call.buttons();
    r.icon = call.icon();
    r.messageCall = call;
    const int answer = nextAnswer(m_msg, defaultResultOf(call.style));
    r.answer = answer;
    m_records.push_back(r);
    return answer;
}

std::optional<QString> ScriptedDialogs::inputBox(const InputBoxCall& call)
{
    DialogRecord r;
    r.kind = DialogRecord::Kind::InputBox;
    r.title = titleOr(call.title);
    r.text = call.prompt;
    r.defaultText = call.defaultText;
    r.choices = call.choices;
    const QString vorgabe =
        call.defaultText.isEmpty() && !call.choices.isEmpty() ? call.choices.first() : call.defaultText;
    const std::optional<QString> answer = nextAnswer(m_input, std::optional<QString>(vorgabe));
    r.cancelled = !answer.has_value();
    r.answerText = answer.value_or(QString());
    m_records.push_back(r);
    return answer;
}

std::optional<QString> ScriptedDialogs::fileDialog(const FileDialogCall& call)
{
    DialogRecord r;
    r.kind = call.save ? DialogRecord::Kind::SaveFile : DialogRecord::Kind::OpenFile;
    r.title = titleOr(call.title);
    r.defaultText = call.fileName;
    r.fileCall = call;
    const std::optional<QString> answer = nextAnswer(m_file, std::optional<QString>());
    r.cancelled = !answer.has_value();
    r.answerText = answer.value_or(QString());
    m_records.push_back(r);
    return answer;
}

std::optional<PrintChoice> ScriptedDialogs::printDialog(const PrintDialogCall& call)
{
    DialogRecord r;
    r.kind = DialogRecord::Kind::Print;
    r.printCall = call;
    const std::optional<PrintChoice> answer = nextAnswer(
        m_print, std::optional<PrintChoice>(PrintChoice{true, call.minPage, call.maxPage, 1, QString(),
                                                        call.printToFile ? call.outputFile : QString()}));
    r.cancelled = !answer.has_value();
    m_records.push_back(r);
    return answer;
}

std::optional<QColor> ScriptedDialogs::colorDialog(const ColorDialogCall& call)
{
    DialogRecord r;
    r.kind = DialogRecord::Kind::Color;
    r.title = titleOr(call.title);
    r.colorCall = call;
    const std::optional<QColor> answer = nextAnswer(m_color, std::optional<QColor>(call.initial));
    r.cancelled = !answer.has_value();
    m_records.push_back(r);
    return answer;
}

ScopedDialogs::ScopedDialogs() : m_previous(setDialogs(&m_dialogs)) {}

ScopedDialogs::~ScopedDialogs() { setDialogs(m_previous); }

// ---- VB-style entry points --------------------------------------------

int MsgBox(const QString& prompt, int style, const QString& title)
{
    MessageBoxCall call;
    call.prompt = prompt;
    call.style = style;
    call.title = titleOr(title);
    return dialogs().messageBox(call);
}

int MsgBox(const QString& prompt, MsgButtons buttons, MsgIcon icon, const QString& title)
{
    return MsgBox(prompt, static_cast<int>(buttons) | static_cast<int>(icon), title);
}

QString ChoiceBox(const QString& prompt, const QString& title, const QStringList& choices, bool* cancelled,
                  const QString& preselected)
{
    InputBoxCall call{prompt, titleOr(title), preselected, choices};
    const auto r = dialogs().inputBox(call);
    if (cancelled)
        *cancelled = !r.has_value();
    return r.value_or(QString());
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText, bool* cancelled)
{
    InputBoxCall call{prompt, titleOr(title), defaultText, {}};
    const auto r = dialogs().inputBox(call);
    if (cancelled)
        *cancelled = !r.has_value();
    return r.value_or(QString());
}

std::optional<PrintChoice> ShowPrinter(const PrintDialogCall& call, bool cancelError)
{
    auto r = dialogs().printDialog(call);
    if (!r && cancelError)
        raise(err::CancelSelected);
    return r;
}

QColor ShowColor(const QColor& initial, const QString& title, bool cancelError)
{
    ColorDialogCall call{title, initial};
    const auto r = dialogs().colorDialog(call);
    if (!r) {
        if (cancelError)
            raise(err::CancelSelected);
        return initial;
    }
    return *r;
}

static QString showFile(FileDialogCall call, bool save, bool cancelError)
{
    call.save = save;
    const auto r = dialogs().fileDialog(call);
    if (!r) {
        if (cancelError)
            raise(err::CancelSelected);
        return QString();
    }
    return *r;
}

QString ShowOpen(const FileDialogCall& call, bool cancelError) { return showFile(call, false, cancelError); }

QString ShowSave(const FileDialogCall& call, bool cancelError) { return showFile(call, true, cancelError); }

} // namespace vb
