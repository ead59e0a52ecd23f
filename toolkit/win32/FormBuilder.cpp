#include "toolkit/win32/FormBuilder.h"

#include "toolkit/Errors.h"
#include "toolkit/win32/BevelPanel.h"
#include "toolkit/win32/Buttons.h"
#include "toolkit/win32/Edit.h"
#include "toolkit/win32/Label.h"
#include "toolkit/win32/ListBox.h"
#include "toolkit/win32/ListView.h"
#include "toolkit/win32/PageControl.h"
#include "toolkit/win32/Shape.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

namespace pastimo {
namespace {

std::unique_ptr<TControl> MakeWrapper(ControlKind kind) {
    switch (kind) {
        case ControlKind::PageControl:
            return std::make_unique<TPageControl>();
        case ControlKind::Button:
            return std::make_unique<TButton>();
        case ControlKind::CheckBox:
            return std::make_unique<TCheckBox>();
        case ControlKind::Edit:
            return std::make_unique<TEdit>();
        case ControlKind::ListBox:
            return std::make_unique<TListBox>();
        case ControlKind::Label:
            return std::make_unique<TLabel>();
        case ControlKind::GroupBox:
            return std::make_unique<TGroupBox>();
        case ControlKind::Shape:
            return std::make_unique<TShape>();
        case ControlKind::Panel:
            return std::make_unique<TBevelPanel>();
        case ControlKind::ListView:
            return std::make_unique<TListView>();
        case ControlKind::Page:
            break;  // made by its page control
    }
    throw EInvalidOperation("A layout row of this kind has no control of its own");
}

// Whether a wrapper a form binds to a row is of the row's kind.
bool Fits(ControlKind kind, TControl& control) {
    switch (kind) {
        case ControlKind::PageControl:
            return dynamic_cast<TPageControl*>(&control) != nullptr;
        case ControlKind::Button:
            return dynamic_cast<TButton*>(&control) != nullptr;
        case ControlKind::CheckBox:
            return dynamic_cast<TCheckBox*>(&control) != nullptr;
        case ControlKind::Edit:
            return dynamic_cast<TEdit*>(&control) != nullptr;
        case ControlKind::ListBox:
            return dynamic_cast<TListBox*>(&control) != nullptr;
        case ControlKind::Label:
            return dynamic_cast<TLabel*>(&control) != nullptr;
        case ControlKind::GroupBox:
            return dynamic_cast<TGroupBox*>(&control) != nullptr;
        case ControlKind::Shape:
            return dynamic_cast<TShape*>(&control) != nullptr;
        case ControlKind::Panel:
            return dynamic_cast<TBevelPanel*>(&control) != nullptr;
        case ControlKind::ListView:
            return dynamic_cast<TListView*>(&control) != nullptr;
        case ControlKind::Page:
            return false;
    }
    return false;
}

}  // namespace

FormBuilder::FormBuilder(TForm& form, const FormLayout& layout, std::initializer_list<ControlBinding> bindings)
    : FForm(form), FLayout(layout) {
    for (const ControlBinding& binding : bindings) FBound[binding.id] = &binding.control;
}

void FormBuilder::CreateControls() {
    std::vector<HWND> behind;
    CreateChildren(0, FForm.Handle(), 0, 0, behind);
    for (HWND window : behind) SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::vector<const ControlLayout*> FormBuilder::ChildrenOf(int parentId) const {
    std::vector<const ControlLayout*> ordered, unordered;
    for (size_t i = 0; i < FLayout.controlCount; ++i) {
        const ControlLayout& row = FLayout.controls[i];
        if (row.parent != parentId) continue;
        (row.tabOrder == kNoTabStop ? unordered : ordered).push_back(&row);
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const ControlLayout* a, const ControlLayout* b) { return a->tabOrder < b->tabOrder; });
    ordered.insert(ordered.end(), unordered.begin(), unordered.end());
    return ordered;
}

TControl& FormBuilder::ControlFor(const ControlLayout& row) {
    auto bound = FBound.find(row.id);
    if (bound != FBound.end()) {
        if (!Fits(row.kind, *bound->second))
            throw EInvalidOperation("Layout row " + std::to_string(row.id) + " is bound to a control of another kind");
        return *bound->second;
    }
    std::unique_ptr<TControl> made = MakeWrapper(row.kind);
    TControl& control = *made;
    FForm.Adopt(std::move(made));
    return control;
}

void FormBuilder::CreateChildren(int parentId, HWND parent, int offsetLeft, int offsetTop, std::vector<HWND>& behind) {
    for (const ControlLayout* row : ChildrenOf(parentId)) {
        if (row->kind == ControlKind::Page) continue;  // made with their page control, below
        TControl& control = ControlFor(*row);
        const LayoutRect bounds{row->bounds.left + offsetLeft, row->bounds.top + offsetTop, row->bounds.width,
                                row->bounds.height};
        control.CreateFrom(FForm, {*row, parent, bounds, FForm.LayoutFont(row->font), FForm.Dpi()});
        FForm.LaidOut(&control);
        if (row->hint) FForm.AddHint(control.Handle(), row->hint);
        if (row->style & csBehind) behind.push_back(control.Handle());

        switch (row->kind) {
            case ControlKind::PageControl: {
                auto& pages = static_cast<TPageControl&>(control);
                std::vector<const ControlLayout*> pageRows;
                for (size_t i = 0; i < FLayout.controlCount; ++i) {
                    const ControlLayout& pageRow = FLayout.controls[i];
                    if (pageRow.parent == row->id && pageRow.kind == ControlKind::Page) pageRows.push_back(&pageRow);
                }
                for (const ControlLayout* pageRow : pageRows) pages.AddPage(*pageRow);
                for (size_t i = 0; i < pageRows.size(); ++i)
                    CreateChildren(pageRows[i]->id, pages.Page(static_cast<int>(i)).Handle(), 0, 0, behind);
                break;
            }
            case ControlKind::GroupBox:
                // Its rows are its siblings: a group box passes no notifications on.
                CreateChildren(row->id, parent, bounds.left, bounds.top, behind);
                break;
            case ControlKind::Panel:
                CreateChildren(row->id, control.Handle(), 0, 0, behind);
                break;
            default:
                break;
        }
    }
}

}  // namespace pastimo
