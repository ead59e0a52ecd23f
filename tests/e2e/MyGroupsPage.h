#pragma once
// The controls of the "My Groups" page, found by class and size (or caption
// where two share a size), as an automation tool would find them.

#include "tests/e2e/Driver.h"
#include "tests/e2e/Fixture.h"

#include <functional>
#include <memory>
#include <string>

namespace e2e {

struct MyGroupsPage {
    explicit MyGroupsPage(Program& program)
        : groups(program.Control("ListBox", 159, 145)), items(program.Control("ListBox", 165, 145)),
          deleteGroup(program.Control("Button", 77, 21)), deleteItem(program.Control("Button", 71, 21)),
          addGroup(program.Control("Button", 104, 23)), groupName(program.Control("Edit", 122, 21)),
          minimize(program.Control("Button", 94, 38)), autoMinimize(program.Control("Button", 149, 17)),
          itemName(program.Control("Edit", 225, 21)), itemText(program.Control("Edit", 463, 65)),
          addItem(program.ControlByText("Button", "Add &Item")),
          saveChanged(program.ControlByText("Button", "Save &Changed Item")) {}

    HWND groups, items, deleteGroup, deleteItem, addGroup, groupName, minimize, autoMinimize;
    HWND itemName, itemText, addItem, saveChanged;

    bool AllFound() const {
        return groups && items && deleteGroup && deleteItem && addGroup && groupName && minimize && autoMinimize &&
               itemName && itemText && addItem && saveChanged;
    }
};

// The program started shown, on the "My Groups" page, with its controls found.
class MyGroupsPageTest : public ProgramTest {
protected:
    void SetUp() override {
        StartShown();
        FProgram->ShowPage(0);
        FPage = std::make_unique<MyGroupsPage>(*FProgram);
        ASSERT_TRUE(FPage->AllFound());
    }
    void AddGroup(const std::string& name) {
        FProgram->SetText(FPage->groupName, name);
        FProgram->Click(FPage->addGroup);
    }
    void AddItem(const std::string& name, const std::string& text) {
        FProgram->SetText(FPage->itemName, name);
        FProgram->SetText(FPage->itemText, text);
        FProgram->Click(FPage->addItem);
    }
    // Runs an action that must answer with a message box of this caption;
    // answers it and returns its text.
    std::string ExpectBox(const std::function<void()>& action, const char* caption = "Information") {
        action();
        HWND box = FProgram->WaitForMessageBox();
        if (!box) return "(no box)";
        EXPECT_EQ(Program::Caption(box), caption);
        const std::string text = Program::MessageBoxText(box);
        Program::PressOk(box);
        FProgram->Sync();
        return text;
    }
    std::unique_ptr<MyGroupsPage> FPage;
};

}  // namespace e2e
