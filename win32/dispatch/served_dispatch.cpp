#include "win32/dispatch/served_dispatch.hpp"

#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "vb/error.hpp"
#include "vb/strings.hpp"
#include "win32/dispatch/com_dispatch.hpp"
#include "win32/dispatch/com_object.hpp"
#include "win32/dispatch/errors.hpp"

namespace win32 {
namespace detail {
IDispatch* BridgedIDispatch(const vb::ObjectRef& object);
}  // namespace detail
namespace {

class Served;

// Everything the served objects share, under one lock: the DISPIDs of the names met so far (from
// 1; DISPID_VALUE and the negative ones stay COM's), the GUID given to each type name, and the
// live served objects by the identity of what they serve.
struct Registry {
  std::mutex mutex;
  std::map<std::string, DISPID> ids;  // by lower-cased name
  std::vector<std::string> names;     // DISPID n is names[n - 1]
  std::map<std::string, GUID> types;
  std::map<const void*, Served*> by_identity;
  std::set<const IDispatch*> live;
};

Registry& Shared() {
  static Registry registry;
  return registry;
}

// The process's observers and the count of served objects held from outside.
struct Watch {
  std::mutex mutex;
  ServedObservers observers;
  long held = 0;
};

Watch& Watched() {
  static Watch watch;
  return watch;
}

void NameAsked(const std::string& name) {
  Watch& w = Watched();
  std::function<void(const std::string&)> observer;
  {
    const std::lock_guard<std::mutex> lock(w.mutex);
    observer = w.observers.name_asked;
  }
  if (observer) observer(name);
}

void ConnectionChanged(long change) {
  Watch& w = Watched();
  std::function<void(long)> observer;
  long held = 0;
  {
    const std::lock_guard<std::mutex> lock(w.mutex);
    w.held += change;
    held = w.held;
    observer = w.observers.connections;
  }
  if (observer) observer(held);
}

DISPID IdOf(const std::string& name) {
  Registry& r = Shared();
  const std::lock_guard<std::mutex> lock(r.mutex);
  const std::string key = vb::LCase(name);
  const auto found = r.ids.find(key);
  if (found != r.ids.end()) return found->second;
  r.names.push_back(name);
  const auto id = static_cast<DISPID>(r.names.size());
  r.ids.emplace(key, id);
  return id;
}

bool NameOf(DISPID id, std::string& name) {
  Registry& r = Shared();
  const std::lock_guard<std::mutex> lock(r.mutex);
  if (id < 1 || static_cast<std::size_t>(id) > r.names.size()) return false;
  name = r.names[static_cast<std::size_t>(id) - 1];
  return true;
}

GUID GuidOfType(const std::string& name) {
  Registry& r = Shared();
  const std::lock_guard<std::mutex> lock(r.mutex);
  const auto found = r.types.find(name);
  if (found != r.types.end()) return found->second;
  GUID guid{};
  CoCreateGuid(&guid);
  r.types.emplace(name, guid);
  return guid;
}

// The type information of a served object: its type's GUID and name, nothing more.
class NamedTypeInfo final : public ComObject<ITypeInfo> {
 public:
  NamedTypeInfo(const GUID& guid, std::wstring name) : guid_(guid), name_(std::move(name)) {}

  HRESULT STDMETHODCALLTYPE GetTypeAttr(TYPEATTR** out) override {
    auto* attributes = new (std::nothrow) TYPEATTR{};
    if (!attributes) return E_OUTOFMEMORY;
    attributes->guid = guid_;
    attributes->lcid = LOCALE_NEUTRAL;
    attributes->memidConstructor = MEMBERID_NIL;
    attributes->memidDestructor = MEMBERID_NIL;
    attributes->typekind = TKIND_DISPATCH;
    attributes->cbSizeVft = 7 * sizeof(void*);
    attributes->cbAlignment = sizeof(void*);
    *out = attributes;
    return S_OK;
  }
  void STDMETHODCALLTYPE ReleaseTypeAttr(TYPEATTR* attributes) override { delete attributes; }
  HRESULT STDMETHODCALLTYPE GetDocumentation(MEMBERID id, BSTR* name, BSTR* doc, DWORD* context,
                                             BSTR* help) override {
    if (id != MEMBERID_NIL) return TYPE_E_ELEMENTNOTFOUND;
    if (name) *name = SysAllocString(name_.c_str());
    if (doc) *doc = nullptr;
    if (context) *context = 0;
    if (help) *help = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeComp(ITypeComp** out) override { return Refuse(out); }
  HRESULT STDMETHODCALLTYPE GetFuncDesc(UINT, FUNCDESC** out) override { return Refuse(out); }
  HRESULT STDMETHODCALLTYPE GetVarDesc(UINT, VARDESC** out) override { return Refuse(out); }
  HRESULT STDMETHODCALLTYPE GetNames(MEMBERID, BSTR*, UINT, UINT* count) override {
    if (count) *count = 0;
    return TYPE_E_ELEMENTNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE GetRefTypeOfImplType(UINT, HREFTYPE*) override { return TYPE_E_ELEMENTNOTFOUND; }
  HRESULT STDMETHODCALLTYPE GetImplTypeFlags(UINT, INT*) override { return TYPE_E_ELEMENTNOTFOUND; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(LPOLESTR*, UINT, MEMBERID*) override { return DISP_E_UNKNOWNNAME; }
  HRESULT STDMETHODCALLTYPE Invoke(PVOID, MEMBERID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetDllEntry(MEMBERID, INVOKEKIND, BSTR*, BSTR*, WORD*) override {
    return TYPE_E_BADMODULEKIND;
  }
  HRESULT STDMETHODCALLTYPE GetRefTypeInfo(HREFTYPE, ITypeInfo** out) override { return Refuse(out); }
  HRESULT STDMETHODCALLTYPE AddressOfMember(MEMBERID, INVOKEKIND, PVOID* out) override { return Refuse(out); }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, PVOID* out) override { return Refuse(out); }
  HRESULT STDMETHODCALLTYPE GetMops(MEMBERID, BSTR* out) override { return Refuse(out); }
  HRESULT STDMETHODCALLTYPE GetContainingTypeLib(ITypeLib** out, UINT*) override { return Refuse(out); }
  void STDMETHODCALLTYPE ReleaseFuncDesc(FUNCDESC*) override {}
  void STDMETHODCALLTYPE ReleaseVarDesc(VARDESC*) override {}

 private:
  template <class T>
  static HRESULT Refuse(T** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  ~NamedTypeInfo() = default;
  GUID guid_;
  std::wstring name_;
};

void ServeVariant(const vb::Variant& value, VARIANT* out);

class Served final : public ComObject<IDispatch, IExternalConnection> {
 public:
  explicit Served(vb::ObjectRef object) : object_(std::move(object)), identity_(object_->Identity()) {}

  const vb::ObjectRef& object() const { return object_; }
  const void* identity() const { return identity_; }

  // The last reference goes under the registry's lock, so that ServeDispatch cannot hand out an
  // object on its way to destruction.
  ULONG STDMETHODCALLTYPE Release() override;

  // Strong external connections: counted once per object, from the first to the last.
  DWORD STDMETHODCALLTYPE AddConnection(DWORD kind, DWORD) override {
    if (!(kind & EXTCONN_STRONG)) return 0;
    if (connections_++ == 0) ConnectionChanged(+1);
    return connections_;
  }
  DWORD STDMETHODCALLTYPE ReleaseConnection(DWORD kind, DWORD, BOOL) override {
    if (!(kind & EXTCONN_STRONG) || connections_ == 0) return connections_;
    if (--connections_ == 0) ConnectionChanged(-1);
    return connections_;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    try {
      const std::string name = object_->TypeName();
      *out = new NamedTypeInfo(GuidOfType(name), Widen(name));
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (!names || !ids) return E_POINTER;
    try {
      for (UINT i = 0; i < count; ++i) {
        const std::string name = Narrow(names[i] ? names[i] : L"");
        ids[i] = IdOf(name);
        NameAsked(name);
      }
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argument_error) override;

 private:
  ~Served() = default;
  vb::ObjectRef object_;
  const void* identity_;
  DWORD connections_ = 0;
};

ULONG Served::Release() {
  Registry& r = Shared();
  std::unique_lock<std::mutex> lock(r.mutex);
  const ULONG left = Unreference();
  if (left != 0) return left;
  r.by_identity.erase(identity_);
  r.live.erase(this);
  lock.unlock();
  delete this;
  return 0;
}

HRESULT Served::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                       EXCEPINFO* exception, UINT* argument_error) {
  if (result) VariantInit(result);
  std::string member;
  if (!NameOf(id, member)) return DISP_E_MEMBERNOTFOUND;
  if (!params || params->cNamedArgs > params->cArgs) return E_INVALIDARG;
  const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
  const vb::CallKind kind =
      put ? vb::CallKind::Put : (flags == DISPATCH_METHOD ? vb::CallKind::Method : vb::CallKind::Get);
  try {
    // Positional arguments come last to first in rgvarg, after the named ones.
    vb::Arguments arguments;
    const UINT named = params->cNamedArgs;
    for (UINT i = params->cArgs; i > named; --i)
      arguments.push_back({FromVariant(params->rgvarg[i - 1]), {}});
    const VARIANT* value = nullptr;
    for (UINT i = 0; i < named; ++i) {
      const DISPID argument = params->rgdispidNamedArgs[i];
      if (argument == DISPID_PROPERTYPUT) {
        value = &params->rgvarg[i];
        continue;
      }
      std::string name;
      if (!NameOf(argument, name)) {
        if (argument_error) *argument_error = i;
        return DISP_E_PARAMNOTFOUND;
      }
      arguments.push_back({FromVariant(params->rgvarg[i]), std::move(name)});
    }
    if (put) {
      if (!value) return DISP_E_PARAMNOTFOUND;
      arguments.push_back({FromVariant(*value), {}});
    }
    const vb::Variant answer = object_->Invoke(member, kind, arguments);
    if (result && !put) ServeVariant(answer, result);
    return S_OK;
  } catch (const vb::Error& error) {
    if (!exception) return ReportError(error, IID_IDispatch);
    FillExcepInfo(error, exception);
    return DISP_E_EXCEPTION;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

// As ToVariant, objects of any kind being served (the bridge's own give back their IDispatch).
void ServeVariant(const vb::Variant& value, VARIANT* out) {
  if (value.type() == vb::VarType::Object) {
    VariantInit(out);
    out->pdispVal = ServeDispatch(value.ToObject());
    out->vt = VT_DISPATCH;
    return;
  }
  if (value.type() != vb::VarType::Array) return ToVariant(value, out);
  VariantInit(out);
  const vb::Array& items = value.ToArray();
  SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(items.size()));
  if (!array) throw std::bad_alloc();
  for (LONG i = 0; i < static_cast<LONG>(items.size()); ++i) {
    VARIANT item;
    try {
      ServeVariant(items[static_cast<std::size_t>(i)], &item);
    } catch (...) {
      SafeArrayDestroy(array);
      throw;
    }
    const HRESULT hr = SafeArrayPutElement(array, &i, &item);
    VariantClear(&item);
    if (FAILED(hr)) {
      SafeArrayDestroy(array);
      throw std::bad_alloc();
    }
  }
  out->vt = VT_ARRAY | VT_VARIANT;
  out->parray = array;
}

}  // namespace

IDispatch* ServeDispatch(const vb::ObjectRef& object) {
  if (!object) return nullptr;
  // An object of the bridge is already a COM object: its own IDispatch, not a wrapper of a wrapper.
  if (IDispatch* own = detail::BridgedIDispatch(object)) return own;
  Registry& r = Shared();
  const std::lock_guard<std::mutex> lock(r.mutex);
  const auto found = r.by_identity.find(object->Identity());
  if (found != r.by_identity.end()) {
    found->second->AddRef();
    return found->second;
  }
  auto* served = new Served(object);
  r.by_identity.emplace(served->identity(), served);
  r.live.insert(served);
  return served;
}

void SetServedObservers(ServedObservers observers) {
  Watch& w = Watched();
  const std::lock_guard<std::mutex> lock(w.mutex);
  w.observers = std::move(observers);
}

vb::ObjectRef ServedObjectOf(IDispatch* dispatch) {
  Registry& r = Shared();
  const std::lock_guard<std::mutex> lock(r.mutex);
  if (!r.live.count(dispatch)) return {};
  return static_cast<Served*>(dispatch)->object();
}

}  // namespace win32
