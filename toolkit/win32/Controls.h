#pragma once
// Thin wrappers over the real Win32 controls: each creates its control at a
// given place and size and turns its notifications into callbacks.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace pastimo {

class TForm;

struct ControlArgs {
    HWND parent = nullptr;
    int id = 0;
    int left = 0, top = 0, width = 0, height = 0;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    HFONT font = nullptr;   // nullptr: the form's font
};

// A control's place, size and caption, in the order the layout tables give them.
ControlArgs ControlAt(HWND parent, int id, int left, int top, int width, int height, const std::string& text = {},
                      DWORD style = 0);

class TControl {
public:
    virtual ~TControl();
    HWND Handle() const { return hwnd_; }
    std::string Text() const;
    void SetText(const std::string& text);
    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    void SetFocus();

    // Notifications routed by the form.
    virtual void Command(WORD /*code*/) {}
    virtual void Notify(const NMHDR& /*header*/) {}
    // Background colour for WM_CTLCOLOR*; CLR_INVALID for the default.
    COLORREF Color = CLR_INVALID;
    HBRUSH ColorBrush();

protected:
    void Create(TForm& form, const char* className, const ControlArgs& args, DWORD baseStyle);
    HWND hwnd_ = nullptr;
    TForm* form_ = nullptr;
    HBRUSH brush_ = nullptr;
};

class TButton : public TControl {
public:
    void Create(TForm& form, const ControlArgs& args, bool isDefault = false);
    std::function<void()> OnClick;
    void Click();   // as if pressed
    void Command(WORD code) override;
};

class TCheckBox : public TControl {
public:
    void Create(TForm& form, const ControlArgs& args);
    bool Checked() const;
    // Changing the state by code reports the change like a click does.
    void SetChecked(bool checked);
    std::function<void()> OnClick;
    void Command(WORD code) override;
};

class TEdit : public TControl {
public:
    // multiLine adds a vertical scroll bar, Enter for a line break and word wrap
    // unless `style` says otherwise.
    void Create(TForm& form, const ControlArgs& args, bool multiLine);
    std::function<void()> OnEnter;   // the focus came in
    std::function<void()> OnClick;   // a mouse click inside
    void Command(WORD code) override;
    void Clear() { SetText(std::string()); }
    void SelectAll();
    // Copies the selection to the clipboard as text (the control's own copy).
    void CopyToClipboard();
    // Caret to the start, nothing selected, the view scrolled to the caret.
    void CollapseToStart();
    void SetReadOnly(bool readOnly);

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
    WNDPROC original_ = nullptr;
};

class TListBox : public TControl {
public:
    void Create(TForm& form, const ControlArgs& args);
    std::function<void()> OnClick;   // the selection changed
    void Command(WORD code) override;
    int ItemIndex() const;           // -1 for none
    void SetItemIndex(int index);
    int Count() const;
    std::string Item(int index) const;
    void Clear();
    void Add(const std::string& text);
    void Insert(int index, const std::string& text);
    void Delete(int index);
    // Shows exactly these rows, in this order.
    void Fill(const std::vector<std::string>& rows);
    // Like Fill, but a change of one row is made in place (the highlight stays
    // on its entry).
    void Sync(const std::vector<std::string>& rows);
};

class TLabel : public TControl {
public:
    void Create(TForm& form, const ControlArgs& args, bool bold = false);
};

class TGroupBox : public TControl {
public:
    void Create(TForm& form, const ControlArgs& args);
};

// A filled rectangle with an outline, drawn behind the controls it frames.
class TShape : public TControl {
public:
    void Create(TForm& form, const ControlArgs& args, COLORREF fill, COLORREF outline);
    static void RegisterClass(HINSTANCE instance);
private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    COLORREF fill_ = 0, outline_ = 0;
};

// A tab control with one container window per page; the pages hold controls.
class TPageControl : public TControl {
public:
    void Create(TForm& form, const ControlArgs& args);
    // Adds a page and returns its container window (controls go inside it).
    HWND AddPage(const std::string& caption);
    int ActivePage() const;
    void SetActivePage(int index);
    std::function<void()> OnChange;
    HWND Page(int index) const { return pages_.at(static_cast<size_t>(index)); }
    void Notify(const NMHDR& header) override;

private:
    std::vector<HWND> pages_;
};

}  // namespace pastimo
