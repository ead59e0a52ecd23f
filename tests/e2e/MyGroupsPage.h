#pragma once
// The controls of the "My Groups" page, found by class and size (or caption
// where two share a size), as an automation tool would find them.

#include "tests/e2e/Driver.h"

namespace e2e {

struct MyGroupsPage {
    explicit MyGroupsPage(Program& program)
        : groups(program.Control("ListBox", 159, 145)),
          items(program.Control("ListBox", 165, 145)),
          deleteGroup(program.Control("Button", 77, 21)),
          deleteItem(program.Control("Button", 71, 21)),
          addGroup(program.Control("Button", 104, 23)),
          groupName(program.Control("Edit", 122, 21)),
          minimize(program.Control("Button", 94, 38)),
          autoMinimize(program.Control("Button", 149, 17)),
          itemName(program.Control("Edit", 225, 21)),
          itemText(program.Control("Edit", 463, 65)),
          addItem(program.ControlByText("Button", "Add &Item")),
          saveChanged(program.ControlByText("Button", "Save &Changed Item")) {}

    HWND groups, items, deleteGroup, deleteItem, addGroup, groupName, minimize, autoMinimize;
    HWND itemName, itemText, addItem, saveChanged;

    bool AllFound() const {
        return groups && items && deleteGroup && deleteItem && addGroup && groupName && minimize &&
               autoMinimize && itemName && itemText && addItem && saveChanged;
    }
};

}  // namespace e2e
