// A modal driver for GUI tests: answers dialogs, message boxes and pickers from a script, in order.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/CDialog.h"
#include "platform/ui/ModalDriver.h"

// Installed by the GUI test mains for the whole run: a modal run that no ModalScript answers fails
// the test at once (and is cancelled) instead of waiting for a user who is not there.
class UnscriptedModalDriver : public ui::ModalDriver
{
public:
    void RunDialog(CDialog& dialog) override
    {
        ADD_FAILURE() << "unscripted dialog " << dialog.GetTemplateId();
        dialog.EndDialog(IDCANCEL);
    }
    int RunMessageBox(const ui::MessageBoxCall& box) override
    {
        ADD_FAILURE() << "unscripted box \"" << box.caption << "\": " << box.text;
        return IDOK;
    }
    std::optional<std::string> RunFolderPicker(const ui::FolderPickerCall& picker) override
    {
        ADD_FAILURE() << "unscripted folder picker \"" << picker.title << "\"";
        return std::nullopt;
    }
    std::optional<std::string> RunFileOpenPicker(const ui::FileOpenCall& picker) override
    {
        ADD_FAILURE() << "unscripted file-open picker in " << picker.initialFolder;
        return std::nullopt;
    }
};

// Installed while alive. Each modal run takes the next step of the script; a run that does not match
// the next step (or comes when the script is empty) fails the test and is answered with cancel/OK so
// the test goes on. At the end of its life the script fails the test for steps never reached.
//
//   ModalScript script;
//   script.ExpectBox("Name files installed.", "Success");
//   script.ExpectDialog(IDD_PROXY_LOGIN, [](CDialog& d) { d.SetDlgItemText(...); d.EndDialog(IDOK); });
//   script.ExpectFolderPicker("C:\\Apps\\Velmora");
//   ... act ...
//   EXPECT_TRUE(script.Finished());
class ModalScript : public ui::ModalDriver
{
public:
    using DialogAction = std::function<void(CDialog&)>;

    ModalScript() : m_previous(ui::SetModalDriver(this)) {}
    ~ModalScript() override
    {
        ui::SetModalDriver(m_previous);
        for (const Step& step : m_steps)
            ADD_FAILURE() << "modal step never reached: " << step.Describe();
    }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // The next modal run is a dialog on this template; act runs on it, shown, and should end it.
    void ExpectDialog(UINT templateId, DialogAction act)
    {
        m_steps.push_back(Step{Step::Dialog, templateId, {}, {}, 0, std::move(act), {}});
    }
    // The next modal run is a box with exactly this text and caption (and icon, MB_ICONEXCLAMATION
    // or MB_OK); it is answered with OK.
    void ExpectBox(std::string text, std::string caption, UINT type = MB_OK)
    {
        m_steps.push_back(Step{Step::Box, 0, std::move(text), std::move(caption), type, {}, {}});
    }
    // The next modal run is a folder picker (answer: the chosen folder, nullopt for cancel).
    void ExpectFolderPicker(std::optional<std::string> answer)
    {
        m_steps.push_back(Step{Step::Folder, 0, {}, {}, 0, {}, std::move(answer)});
    }
    // The next modal run is a file-open picker.
    void ExpectFileOpen(std::optional<std::string> answer)
    {
        m_steps.push_back(Step{Step::File, 0, {}, {}, 0, {}, std::move(answer)});
    }

    bool Finished() const { return m_steps.empty(); }

    // Everything that ran, in order.
    std::vector<ui::MessageBoxCall> boxes;
    std::vector<UINT> dialogs;
    std::vector<ui::FolderPickerCall> folderPickers;
    std::vector<ui::FileOpenCall> filePickers;

    void RunDialog(CDialog& dialog) override
    {
        dialogs.push_back(dialog.GetTemplateId());
        std::optional<Step> step = Take(Step::Dialog, "dialog " + std::to_string(dialog.GetTemplateId()));
        if (!step || step->templateId != dialog.GetTemplateId()) {
            if (step)
                ADD_FAILURE() << "expected dialog " << step->templateId << ", got " << dialog.GetTemplateId();
            dialog.EndDialog(IDCANCEL);
            return;
        }
        step->act(dialog);
    }

    int RunMessageBox(const ui::MessageBoxCall& box) override
    {
        boxes.push_back(box);
        std::optional<Step> step = Take(Step::Box, "box \"" + box.caption + "\": " + box.text);
        if (step) {
            EXPECT_EQ(step->text, box.text);
            EXPECT_EQ(step->caption, box.caption);
            EXPECT_EQ(step->type, box.type) << "box type of \"" << box.text << "\"";
        }
        return IDOK;
    }

    std::optional<std::string> RunFolderPicker(const ui::FolderPickerCall& picker) override
    {
        folderPickers.push_back(picker);
        std::optional<Step> step = Take(Step::Folder, "folder picker \"" + picker.title + "\"");
        return step ? step->answer : std::nullopt;
    }

    std::optional<std::string> RunFileOpenPicker(const ui::FileOpenCall& picker) override
    {
        filePickers.push_back(picker);
        std::optional<Step> step = Take(Step::File, "file-open picker in " + picker.initialFolder);
        return step ? step->answer : std::nullopt;
    }

private:
    struct Step
    {
        enum Kind { Dialog, Box, Folder, File } kind;
        UINT templateId;
        std::string text;
        std::string caption;
        UINT type;
        DialogAction act;
        std::optional<std::string> answer;

        std::string Describe() const
        {
            switch (kind) {
            case Dialog:
                return "dialog " + std::to_string(templateId);
            case Box:
                return "box \"" + caption + "\": " + text;
            case Folder:
                return "folder picker";
            case File:
                return "file-open picker";
            }
            return std::string();
        }
    };

    std::optional<Step> Take(typename Step::Kind kind, const std::string& what)
    {
        if (m_steps.empty()) {
            ADD_FAILURE() << "unexpected modal run: " << what;
            return std::nullopt;
        }
        if (m_steps.front().kind != kind) {
            ADD_FAILURE() << "expected " << m_steps.front().Describe() << ", got " << what;
            return std::nullopt;
        }
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        return step;
    }

    ui::ModalDriver* m_previous;
    std::deque<Step> m_steps;
};
