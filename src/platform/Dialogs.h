#pragma once
// The dialog service: every message box, input box and file, print and colour
// dialog of the program goes through vb::dialogs().
//
// The default instance shows real Qt dialogs. Tests install a ScriptedDialogs
// (ScopedDialogs guard), which records every call and answers from a queue
// without ever opening a window.

#include <QColor>
#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

class QMessageBox;
class QWidget;

namespace vb {

// MsgBox style flags (VB's numbers; add one button set, one icon, one default button).
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
    vbApplicationModal = 0,
    vbSystemModal = 4096,
    vbMsgBoxHelpButton = 16384,
};

// MsgBox results.
enum MsgBoxResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7,
};

enum class MsgButtons { OKOnly = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5 };
enum class MsgIcon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
// The warning icon is the exclamation mark.
constexpr MsgIcon Warning = MsgIcon::Exclamation;

// Split a style number into its parts.
MsgButtons buttonsOf(int style);
MsgIcon iconOf(int style);
int defaultButtonOf(int style);                 // 1, 2 or 3
// The result codes of a button set in order, e.g. YesNoCancel -> {vbYes, vbNo, vbCancel}.
std::vector<int> resultsOf(MsgButtons b);
// The result the default button gives (defaultButtonOf, clamped to the set).
int defaultResultOf(int style);
// Result code for Escape / closing the box: Cancel if present, No for YesNo,
// OK for OKOnly, Abort for AbortRetryIgnore.
int escapeResultOf(int style);

struct MessageBoxCall {
    QString prompt;
    QString title;
    int style = vbOKOnly;
    QString helpFile;      // with vbMsgBoxHelpButton
    int helpContext = 0;

    MsgButtons buttons() const { return buttonsOf(style); }
    MsgIcon icon() const { return iconOf(style); }
};

struct InputBoxCall {
    QString prompt;
    QString title;
    QString defaultText;
    // When not empty, the answer is one of these texts, picked from a list.
    QStringList choices;
};

struct FileDialogCall {
    bool save = false;
    QString title;
    QString directory;     // start folder
    QString fileName;      // proposed name
    QString filter;        // Qt filter text, e.g. "Datenbank (*.mdb);;Alle Dateien (*)"
};

struct PrintDialogCall {
    int minPage = 1;
    int maxPage = 1;
    int fromPage = 1;
    int toPage = 1;
    bool allowPageRange = true;
    // Printing into a file is offered (where no printer exists it is the
    // printer), with this file proposed.
    bool printToFile = false;
    QString outputFile;
};

// What the print dialog hands back when the user confirms.
struct PrintChoice {
    bool allPages = true;  // the user kept "all pages"
    int fromPage = 1;
    int toPage = 1;
    int copies = 1;
    QString printerName;   // empty: the default printer / file output
    QString outputFile;    // set when the user chose to print into a PDF file
};

struct ColorDialogCall {
    QString title;
    QColor initial;
};

// The interface. Each call is modal and returns the user's answer.
class DialogService {
public:
    virtual ~DialogService() = default;

    // A message box; returns one of the MsgBoxResult codes.
    virtual int messageBox(const MessageBoxCall& call) = 0;
    // An input box; the text entered, or nullopt for Cancel (VB returns "" then).
    virtual std::optional<QString> inputBox(const InputBoxCall& call) = 0;
    // File dialogs; the chosen path, or nullopt for Cancel.
    virtual std::optional<QString> fileDialog(const FileDialogCall& call) = 0;
    // The print dialog; nullopt for Cancel.
    virtual std::optional<PrintChoice> printDialog(const PrintDialogCall& call) = 0;
    // The colour dialog; nullopt for Cancel.
    virtual std::optional<QColor> colorDialog(const ColorDialogCall& call) = 0;

    // Parent widget for the real dialogs (the main window). Not owned.
    void setParentWidget(QWidget* w) { m_parent = w; }
    QWidget* parentWidget() const { return m_parent; }

private:
    QWidget* m_parent = nullptr;
};

// Real dialogs (QMessageBox, QInputDialog, QFileDialog, QPrintDialog, QColorDialog).
class QtDialogs : public DialogService {
public:
    // The box messageBox() shows, built but not shown: title, text, icon, the
    // buttons in the language of the locale, default and Escape buttons.
    static std::unique_ptr<QMessageBox> createMessageBox(const MessageBoxCall& call, QWidget* parent = nullptr);
    // The result code of a closed box (the Escape result if no button was clicked).
    static int resultOf(const QMessageBox& box, int style);

    int messageBox(const MessageBoxCall& call) override;
    std::optional<QString> inputBox(const InputBoxCall& call) override;
    std::optional<QString> fileDialog(const FileDialogCall& call) override;
    std::optional<PrintChoice> printDialog(const PrintDialogCall& call) override;
    std::optional<QColor> colorDialog(const ColorDialogCall& call) override;
};

// The installed service (a QtDialogs unless a test installed another one).
DialogService& dialogs();
// Install a service (not owned; nullptr restores the Qt one). Returns the previous one.
DialogService* setDialogs(DialogService* service);

// ---- Test double --------------------------------------------------------

// One recorded call.
struct DialogRecord {
    enum class Kind { MessageBox, InputBox, OpenFile, SaveFile, Print, Color };
    Kind kind = Kind::MessageBox;
    QString title;
    QString text;            // prompt of message and input boxes
    int style = 0;           // message boxes: the full style number
    MsgButtons buttons = MsgButtons::OKOnly;
    MsgIcon icon = MsgIcon::None;
    QString defaultText;     // input box default / proposed file name
    QStringList choices;     // input box: the texts offered for a pick
    int answer = 0;          // message boxes: the result code given
    QString answerText;      // input/file: the text given ("" for Cancel)
    bool cancelled = false;  // input/file/print/colour dialogs answered with Cancel
    MessageBoxCall messageCall;
    PrintDialogCall printCall;
    ColorDialogCall colorCall;
    FileDialogCall fileCall;
};

// Answers from a queue, records every call, never blocks.
// Queue entries are consumed by the next call of the matching kind; an empty
// queue gives the default answer: the default button of a message box, the
// default text of an input box, Cancel for file dialogs, the dialog's own
// range (all pages, into the proposed file when printing into a file is
// offered) for the print dialog and the initial colour for the
// colour dialog.
class ScriptedDialogs : public DialogService {
public:
    // Queue answers.
    ScriptedDialogs& answerMessage(int result);                 // vbOK, vbCancel, vbYes ...
    ScriptedDialogs& answerInput(const QString& text);          // OK with this text
    ScriptedDialogs& cancelInput();
    ScriptedDialogs& answerFile(const QString& path);
    ScriptedDialogs& cancelFile();
    ScriptedDialogs& answerPrint(const PrintChoice& choice);
    ScriptedDialogs& cancelPrint();
    ScriptedDialogs& answerColor(const QColor& c);
    ScriptedDialogs& cancelColor();

    const std::vector<DialogRecord>& records() const { return m_records; }
    // Message boxes only.
    std::vector<DialogRecord> messages() const;
    int count() const { return int(m_records.size()); }
    const DialogRecord& last() const;         // asserts there is one
    void clear();                             // forget records and queued answers
    // Queued answers not used yet.
    int pendingAnswers() const;

    int messageBox(const MessageBoxCall& call) override;
    std::optional<QString> inputBox(const InputBoxCall& call) override;
    std::optional<QString> fileDialog(const FileDialogCall& call) override;
    std::optional<PrintChoice> printDialog(const PrintDialogCall& call) override;
    std::optional<QColor> colorDialog(const ColorDialogCall& call) override;

private:
    std::deque<int> m_msg;
    std::deque<std::optional<QString>> m_input;
    std::deque<std::optional<QString>> m_file;
    std::deque<std::optional<PrintChoice>> m_print;
    std::deque<std::optional<QColor>> m_color;
    std::vector<DialogRecord> m_records;
};

// RAII: installs a ScriptedDialogs for the guard's lifetime.
//   vb::ScopedDialogs box;  box->answerMessage(vb::vbCancel);  ...  box->last().text
class ScopedDialogs {
public:
    ScopedDialogs();
    ~ScopedDialogs();
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;
    ScriptedDialogs* operator->() { return &m_dialogs; }
    ScriptedDialogs& operator*() { return m_dialogs; }
    ScriptedDialogs& get() { return m_dialogs; }

private:
    ScriptedDialogs m_dialogs;
    DialogService* m_previous = nullptr;
};

// ---- VB-style entry points --------------------------------------------

// MsgBox(prompt, style, title). An empty title gives the program title (appTitle()).
int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = QString());
int MsgBox(const QString& prompt, MsgButtons buttons, MsgIcon icon, const QString& title = QString());
// InputBox: the text entered; "" when cancelled (as VB). `cancelled` tells the two apart.
QString InputBox(const QString& prompt, const QString& title = QString(),
                 const QString& defaultText = QString(), bool* cancelled = nullptr);
// A pick from a list of texts, `preselected` chosen at the start (when empty:
// the first); "" when cancelled.
QString ChoiceBox(const QString& prompt, const QString& title, const QStringList& choices,
                  bool* cancelled = nullptr, const QString& preselected = QString());
// The print dialog; when the user cancels and cancelError is true, raises 32755
// (the common dialog's CancelError); otherwise returns nullopt.
std::optional<PrintChoice> ShowPrinter(const PrintDialogCall& call, bool cancelError = true);
// The colour dialog; Cancel keeps the colour (returns `initial`), or raises
// 32755 when cancelError is true.
QColor ShowColor(const QColor& initial, const QString& title = QString(), bool cancelError = false);
// File dialogs; "" for Cancel, or 32755 when cancelError is true.
QString ShowOpen(const FileDialogCall& call, bool cancelError = false);
QString ShowSave(const FileDialogCall& call, bool cancelError = false);

} // namespace vb
