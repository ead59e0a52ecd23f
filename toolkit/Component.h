#pragma once
// The ownership model the program's objects follow: a component is owned by
// another, is destroyed with it, and its owner tells the owned components when
// one of them goes away (so that a reference to it can be cleared). Forms are
// components that say so. Portable: no Windows headers here.

#include <vector>

namespace pastimo {

enum class TOperation { opInsert, opRemove };

class TComponent {
public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    // True for windows of the form kind; a tray icon must be owned by one.
    virtual bool IsForm() const { return false; }

protected:
    // Told of every component inserted into or removed from this one's owner.
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
};

}  // namespace pastimo
