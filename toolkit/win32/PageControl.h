#pragma once
// A tab control with one page per tab. Each page is a container laid over
// the tab control's display area as its sibling: controls inside the tab
// control's own children would not get their notifications to the form.

#include "toolkit/win32/Container.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pastimo {

class TTabSheet : public TContainer {
public:
    void CreateFrom(TForm& form, const ControlPlacement& placement) override;
};

class TPageControl : public TControl {
public:
    void CreateFrom(TForm& form, const ControlPlacement& placement) override;
    // Adds a tab with the row's caption and its page (the first page shows).
    TTabSheet& AddPage(const ControlLayout& row);
    // The tabs' font and size change the area the pages cover.
    void ApplyDpi(int dpi, HFONT font) override;
    TTabSheet& Page(int index) const { return *FPages.at(static_cast<size_t>(index)); }
    int ActivePage() const;
    void SetActivePage(int index);
    std::function<void()> OnChange;
    void Notify(const NMHDR& header) override;

private:
    // The part of the parent that the tab control leaves for its pages.
    LayoutRect DisplayArea() const;

    std::vector<std::unique_ptr<TTabSheet>> FPages;
};

}  // namespace pastimo
