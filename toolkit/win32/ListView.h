#pragma once
// A list of rows in columns whose texts the owner gives as they are shown
// (an owner-data report view): a hundred thousand rows cost a count, not a
// hundred thousand strings. One row at a time is selected, and that is the
// list's real selection, so a screen reader announces it.

#include "toolkit/win32/Control.h"

#include <functional>
#include <string>
#include <vector>

namespace pastimo {

class TListView : public TControl {
public:
    struct Column {
        const char* caption;  // not owned: static text
        int width;            // pixels at 96 DPI
    };

    void CreateFrom(TForm& form, const ControlPlacement& placement) override;
    void ApplyDpi(int dpi, HFONT font) override;
    void SetColumns(const std::vector<Column>& columns);

    // The text of a row in a column, UTF-8; asked for each cell shown.
    std::function<std::string(int row, int column)> OnCellText;
    // A double click or Enter on a row.
    std::function<void()> OnActivate;

    int RowCount() const;
    void SetRowCount(int count);  // every row is asked for again
    int Selected() const;         // -1 for none
    // Selects the row (and nothing else), scrolled into view; -1 for none.
    void Select(int row);
    // The rows a page of the list shows at once.
    int RowsPerPage() const;

    void Notify(const NMHDR& header) override;

private:
    void ApplyColumnWidths();

    std::vector<Column> FColumns;
    std::wstring FCell;  // the text last handed out, alive until the next request
};

}  // namespace pastimo
