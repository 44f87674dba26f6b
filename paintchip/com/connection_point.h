// Connection points: sinks in an array, the cookie is index + 1. A point lives inside its owner
// and shares the owner's reference count.
#pragma once

#include <ocidl.h>

#include <vector>

#include "wincommon/com.h"

namespace tktcom {

using tkt::ComPtr;

class ConnectionPoint final : public IConnectionPoint {
 public:
  ConnectionPoint(IConnectionPointContainer* owner, REFIID iid) : owner_(owner), iid_(iid) {}
  ~ConnectionPoint() { Clear(); }
  ConnectionPoint(const ConnectionPoint&) = delete;
  ConnectionPoint& operator=(const ConnectionPoint&) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override;
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return owner_->AddRef(); }
  STDMETHODIMP_(ULONG) Release() noexcept override { return owner_->Release(); }

  STDMETHODIMP GetConnectionInterface(IID* iid) noexcept override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) noexcept override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) noexcept override;
  STDMETHODIMP Unadvise(DWORD cookie) noexcept override;
  STDMETHODIMP EnumConnections(IEnumConnections** out) noexcept override;

  REFIID Iid() const { return iid_; }
  // The connected sinks, each with a reference, so a sink may unadvise while it is being called.
  std::vector<ComPtr<IUnknown>> Sinks() const;
  void Clear();

 private:
  IConnectionPointContainer* owner_;
  IID iid_;
  std::vector<IUnknown*> sinks_;  // nullptr marks a free slot
};

// Helpers for the owner's IConnectionPointContainer.
HRESULT EnumPoints(ConnectionPoint* const* points, size_t count, IEnumConnectionPoints** out) noexcept;
HRESULT FindPoint(ConnectionPoint* const* points, size_t count, REFIID iid, IConnectionPoint** out) noexcept;

}  // namespace tktcom
