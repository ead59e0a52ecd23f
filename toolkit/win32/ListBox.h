#pragma once
// A list box that shows its rows in the order it is given (never LBS_SORT):
// the caller keeps the rows sorted, so that row i is always entry i of its list.

#include "toolkit/win32/Control.h"

#include <functional>
#include <string>
#include <vector>

namespace pastimo {

class TListBox : public TControl {
public:
    void CreateFrom(TForm& form, const ControlPlacement& placement) override;
    void ApplyDpi(int dpi, HFONT font) override;
    std::function<void()> OnClick;  // the selection changed
    void Command(WORD code) override;
    int ItemIndex() const;         // -1 for none
    void SetItemIndex(int index);  // -1 for none; no OnClick
    int Count() const;
    std::string Item(int index) const;
    void Clear();
    void Add(const std::string& text);
    void Insert(int index, const std::string& text);
    void Delete(int index);
    // Shows exactly these rows, in this order.
    void Fill(const std::vector<std::string>& rows);
    // Like Fill, but one row inserted or deleted is changed in place, so the
    // highlight stays on its entry (toolkit/RowChange.h).
    void Sync(const std::vector<std::string>& rows);

private:
    void SetItemHeight();
};

}  // namespace pastimo
