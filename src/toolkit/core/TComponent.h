#pragma once

// The root of the component tree: ownership, names, tags and component state.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/core/Types.h"

class TComponent;

// Base of every toolkit object that can be passed as an event's Sender.
class TObject {
public:
  virtual ~TObject() = default;
  // The registered class name ("TButton", ...), as the layout reader knows it.
  virtual const char* ClassName() const { return "TObject"; }
};

using TNotifyEvent = std::function<void(TObject* sender)>;

// Persistent objects can copy their properties from another object of a related class.
class TPersistent : public TObject {
public:
  const char* ClassName() const override { return "TPersistent"; }
  // Copies source's properties into this object; raises Exception when the classes do not match.
  virtual void Assign(TPersistent* source);
};

enum TComponentStateBit : uint32_t {
  csLoading = 1,     // properties are being read from a declared layout
  csDestroying = 8,  // the destructor has begun
  csDesigning = 16,  // edited in a form designer: no registry or file work
};
using TComponentState = uint32_t;

enum TOperation : uint8_t { opInsert, opRemove };

// A component owns the components created with it as owner and destroys them,
// last created first, when it is destroyed.
class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const char* ClassName() const override { return "TComponent"; }

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  // Renames the component; raises Exception when a sibling of the same owner has the name.
  virtual void SetName(const std::string& name);
  intptr_t Tag = 0;

  bool IsLoading() const { return FComponentState & csLoading; }
  bool IsDesigning() const { return FComponentState & csDesigning; }
  bool IsDestroying() const { return FComponentState & csDestroying; }
  // Sets or clears csDesigning on this component and everything it owns.
  void SetDesigning(bool designing);
  // Sets or clears csLoading (used by the layout reader).
  void SetLoading(bool loading) {
    FComponentState = loading ? (FComponentState | csLoading) : (FComponentState & ~csLoading);
  }

  int ComponentCount() const { return int(FComponents.size()); }
  TComponent* Components(int index) const { return FComponents.at(size_t(index)); }
  TComponent* FindComponent(const std::string& name) const;  // letter case ignored
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  // Runs before the destructors of a component destroyed by its owner or by Free,
  // while the object is still whole (a form runs OnDestroy here).
  virtual void BeforeDestruction() {}
  // Destroys the component: BeforeDestruction, then delete.
  void Free() {
    BeforeDestruction();
    delete this;
  }

  // Runs once the component's declared properties are in place; clears csLoading.
  virtual void Loaded();
  // Tells this component that another one was inserted into or removed from the tree,
  // so that it can drop references to a component being destroyed.
  virtual void Notification(TComponent* component, TOperation operation);
  // Asks component to notify this one when it is destroyed, even across owners.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

protected:
  // Marks this component and everything it owns as being destroyed.
  void Destroying();
  void DestroyComponents();

private:
  TComponent* FOwner = nullptr;
  std::string FName;
  TComponentState FComponentState = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};
