#pragma once

#include "platform/Exports.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

#include <deque>
#include <vector>

class HostCommandLine;

/// The buttons a message box offers.
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
/// The picture beside a message box's text.
enum class MessageIcon { None, Information, Question, Warning, Error };
/// The button that answered a message box.
enum class MessageResult { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

/// True when a box with these buttons has the button result.
VTX_HOST_API bool messageOffers(MessageButtons buttons, MessageResult result);
/// The answer that declines a box: Cancel when offered, else No, else Abort,
/// else Ok (a box with only OK is declined by OK).
VTX_HOST_API MessageResult declineAnswer(MessageButtons buttons);
/// "Ok", "Cancel", "Yes", ...
VTX_HOST_API const char* messageResultName(MessageResult result);

/// A message box as asked and as answered.
struct VTX_HOST_API MessageRecord {
    Vtx_String text;
    Vtx_String caption;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    MessageResult answer = MessageResult::Ok;
};

/// A file open or save query. The filter lists "description|pattern" pairs
/// separated by "|", e.g. "Spreadsheets (*.kss)|*.kss|All files (*.*)|*.*".
struct VTX_HOST_API FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    Vtx_String caption;
    Vtx_String folder;
    Vtx_String fileName;
    Vtx_String filter;
    /// Extension (no dot) added to a typed name that has none.
    Vtx_String defaultExtension;
    /// Several files may be chosen at once (open queries only).
    bool multiSelect = false;
};

/// A file query as asked and as answered (no path: cancelled); answer is
/// the first path chosen.
struct VTX_HOST_API FileDialogRecord {
    FileDialogRequest request;
    Vtx_String answer;
    Vtx_StringArray answers;
};

/// The text-input dialog: one line of text asked for (or, with the edit
/// hidden, a message with OK and Cancel). Empty button captions mean the
/// usual "OK" and "Cancel".
struct VTX_HOST_API TextInputRequest {
    Vtx_String caption;
    Vtx_String prompt;
    Vtx_String value;
    Vtx_String okCaption;
    Vtx_String cancelCaption;
    bool editShown = true;
};

/// A text question as asked and as answered.
struct VTX_HOST_API TextInputRecord {
    TextInputRequest request;
    bool accepted = false;
    Vtx_String answer;
};

/// The one interface through which the module asks the user anything: message
/// boxes and file dialogs. Batch runs answer with BatchPrompter, tests with
/// ScriptedPrompter, the desktop host with a Qt implementation. Every question
/// and its answer is logged, whatever the implementation.
///
///     Prompter& prompter = Host::current().prompter();
///     if (prompter.messageBox("Overwrite?", "Save", MessageButtons::YesNo,
///                             MessageIcon::Question) == MessageResult::Yes) ...
class VTX_HOST_API Prompter {
public:
    virtual ~Prompter() = default;

    /// Shows a message box and returns the button that closed it; always one
    /// that the buttons offer (an implementation's other answer is replaced
    /// by declineAnswer).
    MessageResult messageBox(const Vtx_String& text, const Vtx_String& caption = {},
                             MessageButtons buttons = MessageButtons::Ok,
                             MessageIcon icon = MessageIcon::None);
    /// Asks for a file; true with path set when one was chosen, false (path
    /// untouched) when the query was cancelled.
    bool fileDialog(const FileDialogRequest& request, Vtx_String& path);
    /// Asks for one or more files to open (the request is taken as a
    /// multi-selection); true with paths replaced when any was chosen.
    bool filesDialog(const FileDialogRequest& request, Vtx_StringArray& paths);
    /// Shows the text-input dialog; true when it was accepted, with
    /// request.value set to the text. With the edit shown an empty text is
    /// never accepted (the dialog stays open), so such an answer counts as a
    /// cancel.
    bool textInput(TextInputRequest& request);

    const std::vector<MessageRecord>& messages() const { return m_messages; }
    const std::vector<FileDialogRecord>& fileDialogs() const { return m_fileDialogs; }
    const std::vector<TextInputRecord>& textInputs() const { return m_textInputs; }
    void clearLog();

protected:
    virtual MessageResult askMessage(const MessageRecord& message) = 0;
    /// True with path set, or false for a cancelled query.
    virtual bool askFile(const FileDialogRequest& request, Vtx_String& path) = 0;
    /// True with paths set, or false for a cancelled query; by default the
    /// single-file query's answer.
    virtual bool askFiles(const FileDialogRequest& request, Vtx_StringArray& paths);
    /// True with value set when accepted.
    virtual bool askText(const TextInputRequest& request, Vtx_String& value) = 0;

private:
    std::vector<MessageRecord> m_messages;
    std::vector<FileDialogRecord> m_fileDialogs;
    std::vector<TextInputRecord> m_textInputs;
};

/// Answers without asking anyone: every message box with a configured default
/// (Ok at start) when the box offers it, else with the box's first button;
/// every file query with a configured path (none at start: cancelled); every
/// text question is declined (nobody is there to type).
/// Optionally prints each message to a command line as "Warning: ..." so that
/// a batch run shows what a user would have seen.
class VTX_HOST_API BatchPrompter : public Prompter {
public:
    /// Messages are printed on commandLine while printing is on; it must
    /// outlive the prompter (null: never printed).
    explicit BatchPrompter(HostCommandLine* commandLine = nullptr) : m_commandLine(commandLine) {}

    void setDefaultAnswer(MessageResult answer) { m_defaultAnswer = answer; }
    MessageResult defaultAnswer() const { return m_defaultAnswer; }
    /// The path that answers every file query; empty cancels them.
    void setFileAnswer(const Vtx_String& path) { m_fileAnswer = path; }
    void setPrintMessages(bool print) { m_print = print; }
    bool printMessages() const { return m_print; }

protected:
    MessageResult askMessage(const MessageRecord& message) override;
    bool askFile(const FileDialogRequest& request, Vtx_String& path) override;
    bool askText(const TextInputRequest& request, Vtx_String& value) override;

private:
    void printWarning(const Vtx_String& caption, const Vtx_String& text) const;

    HostCommandLine* m_commandLine;
    MessageResult m_defaultAnswer = MessageResult::Ok;
    Vtx_String m_fileAnswer;
    bool m_print = false;
};

/// Answers from a queue that a test fills beforehand, in order. A question
/// that finds no answer queued, or an answer of the wrong kind (a file for a
/// message box, a button the box does not offer), is declined and recorded
/// as a fault, so a test sees unexpected questions instead of hanging.
///
///     ScriptedPrompter prompter;
///     prompter.queueMessageAnswer(MessageResult::Yes);
///     prompter.queueFileAnswer("c:\\data\\a.kss");
///     ... run the code under test ...
///     EXPECT_TRUE(prompter.faults().isEmpty());
///     EXPECT_EQ(prompter.pendingAnswers(), 0);
class VTX_HOST_API ScriptedPrompter : public Prompter {
public:
    void queueMessageAnswer(MessageResult answer);
    /// A file query answered with path; an empty path cancels it.
    void queueFileAnswer(const Vtx_String& path);
    /// A multi-selection file query answered with paths; none cancels it.
    void queueFilesAnswer(const Vtx_StringArray& paths);
    /// A text question answered with text (OK), or cancelled.
    void queueTextAnswer(const Vtx_String& text);
    void queueTextCancel();

    int pendingAnswers() const { return static_cast<int>(m_answers.size()); }
    /// One line per question that the queue could not answer.
    const std::vector<Vtx_String>& faults() const { return m_faults; }

protected:
    MessageResult askMessage(const MessageRecord& message) override;
    bool askFile(const FileDialogRequest& request, Vtx_String& path) override;
    bool askFiles(const FileDialogRequest& request, Vtx_StringArray& paths) override;
    bool askText(const TextInputRequest& request, Vtx_String& value) override;

private:
    enum class Kind { Message, File, Files, Text };
    struct Answer {
        Kind kind = Kind::Message;
        MessageResult message = MessageResult::Ok;
        Vtx_StringArray paths; ///< the files chosen (a file query: one)
        Vtx_String text;       ///< the text typed (a text question answered with OK)
    };
    /// The next answer when it is of kind; otherwise a fault naming question.
    bool takeAnswer(Kind kind, const Vtx_String& question, Answer& answer);
    std::deque<Answer> m_answers;
    std::vector<Vtx_String> m_faults;
};
