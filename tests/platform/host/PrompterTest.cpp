#include "platform/host/Host.h"

#include <gtest/gtest.h>

namespace {

TEST(PrompterTest, OfferedButtonsAndDeclineAnswers) {
    EXPECT_TRUE(messageOffers(MessageButtons::YesNoCancel, MessageResult::Cancel));
    EXPECT_FALSE(messageOffers(MessageButtons::YesNo, MessageResult::Ok));
    EXPECT_EQ(declineAnswer(MessageButtons::YesNo), MessageResult::No);
    EXPECT_EQ(declineAnswer(MessageButtons::YesNoCancel), MessageResult::Cancel);
    EXPECT_EQ(declineAnswer(MessageButtons::AbortRetryIgnore), MessageResult::Abort);
    EXPECT_EQ(declineAnswer(MessageButtons::Ok), MessageResult::Ok);
}

TEST(PrompterTest, BatchAnswersItsDefaultOnlyWhereOffered) {
    BatchPrompter prompter;
    prompter.setDefaultAnswer(MessageResult::No);
    EXPECT_EQ(prompter.messageBox("Overwrite?", "Save", MessageButtons::YesNo), MessageResult::No);
    EXPECT_EQ(prompter.messageBox("Done.", "", MessageButtons::Ok), MessageResult::Ok);
    EXPECT_EQ(prompter.messageBox("Retry?", "", MessageButtons::RetryCancel), MessageResult::Retry);
    ASSERT_EQ(prompter.messages().size(), 3u);
    EXPECT_EQ(prompter.messages()[0].caption, "Save");
    EXPECT_EQ(prompter.messages()[0].answer, MessageResult::No);
}

TEST(PrompterTest, BatchPrintsMessagesAsWarningsOnlyWhenAsked) {
    Host host;
    BatchPrompter& prompter = host.batchPrompter();
    prompter.messageBox("silent");
    EXPECT_TRUE(host.commandLine().text().empty());
    prompter.setPrintMessages(true);
    prompter.messageBox("There were duplicate variable names found.\n",
                        "Variable names must be unique", MessageButtons::Ok, MessageIcon::Warning);
    prompter.messageBox("Invalid tolerances provided.");
    EXPECT_EQ(host.commandLine().text(),
              "Warning: Variable names must be unique: There were duplicate variable names "
              "found.\n"
              "Warning: Invalid tolerances provided.\n");
    EXPECT_FALSE(host.commandLine().hasErrors());
}

TEST(PrompterTest, BatchFileQueriesCancelUnlessGivenAPath) {
    BatchPrompter prompter;
    Vtx_String path = "unchanged";
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    EXPECT_FALSE(prompter.fileDialog(request, path));
    EXPECT_EQ(path, "unchanged");
    prompter.setFileAnswer("out\\bill.kss");
    EXPECT_TRUE(prompter.fileDialog(request, path));
    EXPECT_EQ(path, "out\\bill.kss");
    ASSERT_EQ(prompter.fileDialogs().size(), 2u);
    EXPECT_TRUE(prompter.fileDialogs()[0].answer.isEmpty());
}

TEST(PrompterTest, ScriptedAnswersInOrder) {
    ScriptedPrompter prompter;
    prompter.queueMessageAnswer(MessageResult::Yes);
    prompter.queueFileAnswer("a.kss");
    prompter.queueFileAnswer("");
    EXPECT_EQ(prompter.messageBox("Q1", "", MessageButtons::YesNo), MessageResult::Yes);
    Vtx_String path;
    EXPECT_TRUE(prompter.fileDialog({}, path));
    EXPECT_EQ(path, "a.kss");
    EXPECT_FALSE(prompter.fileDialog({}, path)) << "an empty answer cancels";
    EXPECT_EQ(prompter.pendingAnswers(), 0);
    EXPECT_TRUE(prompter.faults().empty());
}

TEST(PrompterTest, ScriptedUnexpectedQuestionsAreDeclinedAndRecorded) {
    ScriptedPrompter prompter;
    EXPECT_EQ(prompter.messageBox("Unplanned", "", MessageButtons::YesNoCancel),
              MessageResult::Cancel);
    prompter.queueMessageAnswer(MessageResult::Retry);
    EXPECT_EQ(prompter.messageBox("Not a retry box", "", MessageButtons::YesNo), MessageResult::No);
    prompter.queueMessageAnswer(MessageResult::Ok);
    Vtx_String path;
    EXPECT_FALSE(prompter.fileDialog({}, path)) << "a message answer is no file";
    EXPECT_EQ(prompter.pendingAnswers(), 1) << "the mismatched answer stays queued";
    EXPECT_EQ(prompter.faults().size(), 3u);
}

TEST(PrompterTest, SeveralFilesAreAnsweredAsAListAndLogged) {
    ScriptedPrompter prompter;
    prompter.queueFilesAnswer({"Macros\\a.dwg", "", "Macros\\b.dwg"});
    prompter.queueFilesAnswer({});
    FileDialogRequest request;
    request.caption = "Select the drawings";
    request.mode = FileDialogRequest::Mode::Save; // a multi-selection always opens
    Vtx_StringArray paths{"unchanged"};
    ASSERT_TRUE(prompter.filesDialog(request, paths));
    EXPECT_EQ(paths, (Vtx_StringArray{"Macros\\a.dwg", "Macros\\b.dwg"})) << "empty ones dropped";
    EXPECT_FALSE(prompter.filesDialog(request, paths)) << "nothing chosen cancels";
    EXPECT_EQ(paths.length(), 2) << "a cancelled query leaves the list";
    ASSERT_EQ(prompter.fileDialogs().size(), 2u);
    EXPECT_TRUE(prompter.fileDialogs()[0].request.multiSelect);
    EXPECT_EQ(prompter.fileDialogs()[0].request.mode, FileDialogRequest::Mode::Open);
    EXPECT_EQ(prompter.fileDialogs()[0].answer, "Macros\\a.dwg");
    EXPECT_TRUE(prompter.fileDialogs()[1].answers.isEmpty());

    // The batch prompter gives its one configured path, or cancels.
    BatchPrompter batch;
    EXPECT_FALSE(batch.filesDialog(request, paths));
    batch.setFileAnswer("x.dwg");
    ASSERT_TRUE(batch.filesDialog(request, paths));
    EXPECT_EQ(paths, (Vtx_StringArray{"x.dwg"}));
    EXPECT_TRUE(prompter.faults().empty());
}

TEST(PrompterTest, TextInputTakesTheTextOnlyWhenAccepted) {
    ScriptedPrompter prompter;
    prompter.queueTextAnswer("Width");
    prompter.queueTextCancel();
    prompter.queueTextAnswer("");
    prompter.queueTextAnswer("ignored");
    TextInputRequest request;
    request.caption = "Insert column";
    request.prompt = "Header of the new column";
    request.value = "Column 3";
    ASSERT_TRUE(prompter.textInput(request));
    EXPECT_EQ(request.value, "Width");
    EXPECT_FALSE(prompter.textInput(request));
    EXPECT_EQ(request.value, "Width") << "cancel changes nothing";
    EXPECT_TRUE(prompter.faults().empty());
    EXPECT_FALSE(prompter.textInput(request)) << "OK with nothing typed does not close";
    EXPECT_EQ(prompter.faults().size(), 1u);
    request.editShown = false; // a message with OK and Cancel: the value stays
    ASSERT_TRUE(prompter.textInput(request));
    EXPECT_EQ(request.value, "Width");
    ASSERT_EQ(prompter.textInputs().size(), 4u);
    EXPECT_TRUE(prompter.textInputs()[0].accepted);
    EXPECT_EQ(prompter.textInputs()[0].answer, "Width");
    EXPECT_EQ(prompter.textInputs()[0].request.value, "Column 3") << "as asked";

    // Batch work has nobody to type: declined, and shown when printing.
    Host host;
    BatchPrompter& batch = host.batchPrompter();
    batch.setPrintMessages(true);
    EXPECT_FALSE(batch.textInput(request));
    EXPECT_EQ(host.commandLine().text(), "Warning: Insert column: Header of the new column\n");
}

TEST(PrompterTest, HostUsesTheSetPrompterAndFallsBackToBatch) {
    Host host;
    HostScope scope(host);
    ScriptedPrompter scripted;
    scripted.queueMessageAnswer(MessageResult::Cancel);
    EXPECT_EQ(host.setPrompter(&scripted), nullptr);
    EXPECT_EQ(hostPrompter().messageBox("x", "", MessageButtons::OkCancel), MessageResult::Cancel);
    host.setPrompter(nullptr);
    EXPECT_EQ(&hostPrompter(), &host.batchPrompter());
}

} // namespace
