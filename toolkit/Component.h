#pragma once
// Who destroys what. Every object of the program lives in one of three ways:
// 1. A member of its owner, by value or, when it is made later or is of a
//    derived class, through a std::unique_ptr member. Members go in reverse
//    order of declaration; where that order matters, the declaration says
//    why. A component may be held so by its owner when the owner needs it
//    gone at a given step of its own destruction (the tray icon's timers and
//    message window): it leaves its owner's list as it goes.
// 2. The component tree: a TComponent made with an owner is destroyed by that
//    owner, newest first, when the owner goes (or in DestroyComponents), and
//    is never deleted by hand. Controls and the tray icon of a form, the
//    forms of the application.
// 3. A window that destroys itself: a form that calls Release deletes itself
//    once its current message is handled (the About box, the quick-pick
//    window, the main form on File, Exit); the global that names it is
//    cleared by its destructor.
// Any other pointer member owns nothing and says so with a comment
// "not owned: ..." naming whose the object is.
//
// The component tree: a component is owned by another and is destroyed with
// it; its owner tells the owned components when one of them goes away, and
// any component can ask another to tell it when that one goes (so that a
// reference to it can be cleared). A form writes its stored properties into
// its components between BeginLoad and AfterLoad. Forms are components that
// say so. Portable: no Windows headers here.

#include <vector>

namespace pastimo {

enum class TOperation { opInsert, opRemove };

// An object with settings of its own that a component holds (a tray icon's
// animation): not owned through the component tree.
class TPersistent {
public:
    TPersistent() = default;
    virtual ~TPersistent() = default;
    TPersistent(const TPersistent&) = delete;
    TPersistent& operator=(const TPersistent&) = delete;
};

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const noexcept { return FOwner; }
    // True for windows of the form kind; a tray icon must be owned by one.
    virtual bool IsForm() const { return false; }

    // The reading phase: the owner writes the stored properties between these two.
    void BeginLoad() noexcept { FLoading = true; }
    virtual void AfterLoad() { FLoading = false; }
    bool Loading() const noexcept { return FLoading; }

    // Asks `component` to tell this one, through ComponentNotification with
    // opRemove, when it is destroyed, whoever owns it.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component) noexcept;

protected:
    // Told of every component inserted into or removed from this one's
    // owner, and of the destruction of those it asked to be told about.
    virtual void ComponentNotification(TComponent* component, TOperation operation);
    // Destroys the owned components now (newest first); a derived destructor
    // calls it when its own members must outlive the owned components.
    void DestroyComponents();

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void NotifyAll(TComponent* component, TOperation operation);

    TComponent* FOwner = nullptr;            // not owned: the owner owns this one
    std::vector<TComponent*> FComponents;    // owned: the component tree (see above)
    std::vector<TComponent*> FFreeNotifies;  // not owned: told when this one goes, and the other way round
    bool FLoading = false;
};

}  // namespace pastimo
