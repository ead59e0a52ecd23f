#pragma once
// The ownership model the program's objects follow: a component is owned by
// another and is destroyed with it; its owner tells the owned components when
// one of them goes away, and any component can ask another to tell it when
// that one goes (so that a reference to it can be cleared). A form writes its
// stored properties into its components between BeginLoad and AfterLoad.
// Forms are components that say so. Portable: no Windows headers here.

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

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;  // told when this one goes, and the other way round
    bool FLoading = false;
};

}  // namespace pastimo
