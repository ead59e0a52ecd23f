// The stored layouts are data that people edit by hand: a row whose parent
// does not exist, two controls that share an id, a tab order or an access
// key, or a control that sticks out of what holds it are easy slips that
// nothing else would catch before a user does.
#include "resources/AboutBoxLayout.h"
#include "resources/MainWindowLayout.h"
#include "resources/QuickPickLayout.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>

namespace pastimo {
namespace {

const ControlLayout* Row(const FormLayout& layout, int id) {
    for (size_t i = 0; i < layout.controlCount; ++i)
        if (layout.controls[i].id == id) return &layout.controls[i];
    return nullptr;
}

// The area a row's children are placed in: a page fills its page control
// (less the tabs, which no child may need), the others their own bounds.
LayoutRect InnerArea(const FormLayout& layout, const ControlLayout& parent) {
    if (parent.kind == ControlKind::Page) return InnerArea(layout, *Row(layout, parent.parent));
    return {0, 0, parent.bounds.width, parent.bounds.height};
}

// The letter after "&", or 0.
char AccessKey(const char* caption) {
    for (const char* c = caption; c && *c; ++c)
        if (c[0] == '&' && c[1] && c[1] != '&')
            return static_cast<char>(std::toupper(static_cast<unsigned char>(c[1])));
    return 0;
}

// The page (or the form) a row is reached on, for access keys.
int PageOf(const FormLayout& layout, const ControlLayout& row) {
    const ControlLayout* parent = Row(layout, row.parent);
    if (!parent || parent->kind == ControlKind::Page) return row.parent;
    return PageOf(layout, *parent);
}

class LayoutTables : public ::testing::TestWithParam<const FormLayout*> {};

TEST_P(LayoutTables, RowsFitTogether) {
    const FormLayout& layout = *GetParam();
    ASSERT_GT(layout.fontCount, 0u);
    std::set<int> ids;
    std::map<int, std::set<int>> tabOrders;    // by parent
    std::map<int, std::set<char>> accessKeys;  // by page
    for (size_t i = 0; i < layout.controlCount; ++i) {
        const ControlLayout& row = layout.controls[i];
        SCOPED_TRACE("row " + std::to_string(row.id));
        EXPECT_TRUE(ids.insert(row.id).second) << "ids are unique";
        EXPECT_LT(row.font, layout.fontCount);
        if (row.tabOrder != kNoTabStop) {
            EXPECT_TRUE(tabOrders[row.parent].insert(row.tabOrder).second) << "one tab order per place";
        }
        if (const char key = AccessKey(row.caption)) {
            EXPECT_TRUE(accessKeys[PageOf(layout, row)].insert(key).second) << "one access key per page";
        }

        if (row.kind == ControlKind::Page) {
            const ControlLayout* tabs = Row(layout, row.parent);
            ASSERT_NE(tabs, nullptr);
            EXPECT_EQ(tabs->kind, ControlKind::PageControl);
            continue;
        }
        LayoutRect area{0, 0, layout.clientWidth, layout.clientHeight};
        if (row.parent != 0) {
            const ControlLayout* parent = Row(layout, row.parent);
            ASSERT_NE(parent, nullptr) << "the parent exists";
            EXPECT_TRUE(parent->kind == ControlKind::Page || parent->kind == ControlKind::GroupBox ||
                        parent->kind == ControlKind::Panel);
            area = InnerArea(layout, *parent);
        }
        EXPECT_GE(row.bounds.left, 0);
        EXPECT_GE(row.bounds.top, 0);
        EXPECT_GT(row.bounds.width, 0);
        EXPECT_GT(row.bounds.height, 0);
        EXPECT_LE(row.bounds.left + row.bounds.width, area.width) << "inside what holds it";
        EXPECT_LE(row.bounds.top + row.bounds.height, area.height) << "inside what holds it";
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, LayoutTables,
                         ::testing::Values(&kMainWindowLayout, &kAboutBoxLayout, &kQuickPickLayout));

}  // namespace
}  // namespace pastimo
