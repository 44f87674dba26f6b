#include "paintchip/com/connection_point.h"

#include <olectl.h>

#include "paintchip/com/enumerator.h"
#include "paintchip/com/guard.h"

namespace tktcom {
namespace {

struct ConnectDataCopy {
  static void Copy(CONNECTDATA& to, const CONNECTDATA& from) {
    to = from;
    if (to.pUnk) to.pUnk->AddRef();
  }
  static void Free(CONNECTDATA& item) {
    if (item.pUnk) item.pUnk->Release();
  }
};

using ConnectionsEnum = ArrayEnumerator<IEnumConnections, IID_IEnumConnections, CONNECTDATA, ConnectDataCopy>;
using PointsEnum = ArrayEnumerator<IEnumConnectionPoints, IID_IEnumConnectionPoints, IConnectionPoint*,
                                   InterfaceCopy<IConnectionPoint>>;

}  // namespace

STDMETHODIMP ConnectionPoint::QueryInterface(REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) noexcept {
  if (!iid) return E_POINTER;
  *iid = iid_;
  return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) noexcept {
  if (!out) return E_POINTER;
  owner_->AddRef();
  *out = owner_;
  return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) noexcept {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  IUnknown* typed = nullptr;
  if (FAILED(sink->QueryInterface(iid_, reinterpret_cast<void**>(&typed)))) return CONNECT_E_CANNOTCONNECT;
  return Guarded([&]() -> HRESULT {
    for (size_t i = 0; i < sinks_.size(); ++i) {
      if (!sinks_[i]) {
        sinks_[i] = typed;
        *cookie = static_cast<DWORD>(i + 1);
        return S_OK;
      }
    }
    try {
      sinks_.push_back(typed);
    } catch (...) {
      typed->Release();
      throw;
    }
    *cookie = static_cast<DWORD>(sinks_.size());
    return S_OK;
  });
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) noexcept {
  if (cookie == 0 || cookie > sinks_.size() || !sinks_[cookie - 1]) return CONNECT_E_NOCONNECTION;
  IUnknown* sink = sinks_[cookie - 1];
  sinks_[cookie - 1] = nullptr;
  sink->Release();
  return S_OK;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** out) noexcept {
  return Guarded([&]() -> HRESULT {
    std::vector<CONNECTDATA> data;
    for (size_t i = 0; i < sinks_.size(); ++i) {
      if (sinks_[i]) data.push_back({sinks_[i], static_cast<DWORD>(i + 1)});
    }
    return ConnectionsEnum::Create(data.data(), data.size(), out);
  });
}

std::vector<ComPtr<IUnknown>> ConnectionPoint::Sinks() const {
  std::vector<ComPtr<IUnknown>> out;
  for (IUnknown* s : sinks_) {
    if (s) out.push_back(ComPtr<IUnknown>::Share(s));
  }
  return out;
}

void ConnectionPoint::Clear() {
  std::vector<IUnknown*> old;
  old.swap(sinks_);
  for (IUnknown* s : old) {
    if (s) s->Release();
  }
}

HRESULT EnumPoints(ConnectionPoint* const* points, size_t count, IEnumConnectionPoints** out) noexcept {
  return Guarded([&]() -> HRESULT {
    std::vector<IConnectionPoint*> list(points, points + count);
    return PointsEnum::Create(list.data(), list.size(), out);
  });
}

HRESULT FindPoint(ConnectionPoint* const* points, size_t count, REFIID iid, IConnectionPoint** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (size_t i = 0; i < count; ++i) {
    if (points[i]->Iid() == iid) {
      points[i]->AddRef();
      *out = points[i];
      return S_OK;
    }
  }
  return CONNECT_E_NOCONNECTION;
}

}  // namespace tktcom
