#include "win32/dispatch/com_dispatch.hpp"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "vb/error.hpp"
#include "vb/strings.hpp"
#include "win32/dispatch/errors.hpp"
#include "win32/dispatch/served_dispatch.hpp"

namespace win32 {
namespace {

std::atomic<std::uint64_t> g_name_lookups{0};

/// What the bridge knows of one object type (or of one object that gives no type information):
/// its name for TypeName, and the DISPIDs learnt by GetIDsOfNames, keyed by the lower-cased member
/// name followed by the lower-cased names of the named arguments it was called with.
struct TypeEntry {
  std::string name;
  std::map<std::string, std::vector<DISPID>> dispids;
};

// The entries of the object types met so far, by the text of their ITypeInfo's GUID. The bridge
// runs on one apartment, but a process may have several: the table is shared under a lock.
std::mutex g_types_mutex;
std::map<std::wstring, std::shared_ptr<TypeEntry>>& Types() {
  static std::map<std::wstring, std::shared_ptr<TypeEntry>> types;
  return types;
}

// A VARIANT cleared when it goes out of scope.
struct ScopedVariant {
  VARIANT value;
  ScopedVariant() { VariantInit(&value); }
  ~ScopedVariant() { VariantClear(&value); }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;
};

// VB's TypeName drops the underscore of a dual interface's name ("_Presentation" is "Presentation").
std::string TypeNameOf(ITypeInfo* info) {
  BSTR name = nullptr;
  if (FAILED(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr)) || !name) return {};
  std::string text = FromBstr(name);
  SysFreeString(name);
  if (!text.empty() && text.front() == '_') text.erase(0, 1);
  return text;
}

class ComObject final : public vb::Dispatch {
 public:
  explicit ComObject(IDispatch* dispatch) : dispatch_(dispatch) {
    dispatch_->AddRef();
    // The IUnknown of an object is the same pointer through whichever interface it was reached.
    if (FAILED(dispatch_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity_))) || !identity_) {
      identity_ = dispatch_;
      identity_->AddRef();
    }
  }
  ~ComObject() override {
    identity_->Release();
    dispatch_->Release();
  }
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  IDispatch* dispatch() const { return dispatch_; }

  vb::Variant Invoke(std::string_view member, vb::CallKind kind, const vb::Arguments& arguments) override;
  const void* Identity() const override { return identity_; }
  std::string TypeName() const override {
    const std::string& name = Entry().name;
    return name.empty() ? "Object" : name;
  }

 private:
  TypeEntry& Entry() const;
  std::vector<DISPID> Lookup(std::string_view member, const std::vector<const vb::Argument*>& named);

  IDispatch* dispatch_;
  IUnknown* identity_ = nullptr;
  mutable std::shared_ptr<TypeEntry> entry_;
};

TypeEntry& ComObject::Entry() const {
  if (entry_) return *entry_;
  ITypeInfo* info = nullptr;
  GUID guid = GUID_NULL;
  std::string name;
  if (SUCCEEDED(dispatch_->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)) && info) {
    TYPEATTR* attributes = nullptr;
    if (SUCCEEDED(info->GetTypeAttr(&attributes)) && attributes) {
      guid = attributes->guid;
      info->ReleaseTypeAttr(attributes);
    }
    name = TypeNameOf(info);
    info->Release();
  }
  if (IsEqualGUID(guid, GUID_NULL)) {
    entry_ = std::make_shared<TypeEntry>();
    entry_->name = std::move(name);
    return *entry_;
  }
  wchar_t key[40] = {};
  StringFromGUID2(guid, key, 40);
  const std::lock_guard<std::mutex> lock(g_types_mutex);
  std::shared_ptr<TypeEntry>& shared = Types()[key];
  if (!shared) {
    shared = std::make_shared<TypeEntry>();
    shared->name = std::move(name);
  }
  entry_ = shared;
  return *entry_;
}

std::vector<DISPID> ComObject::Lookup(std::string_view member,
                                      const std::vector<const vb::Argument*>& named) {
  TypeEntry& entry = Entry();
  std::string key = vb::LCase(member);
  for (const vb::Argument* argument : named) key += '\x1f' + vb::LCase(argument->name);
  {
    const std::lock_guard<std::mutex> lock(g_types_mutex);
    const auto found = entry.dispids.find(key);
    if (found != entry.dispids.end()) return found->second;
  }
  std::vector<std::wstring> names;
  names.push_back(Widen(member));
  for (const vb::Argument* argument : named) names.push_back(Widen(argument->name));
  std::vector<LPOLESTR> pointers;
  for (std::wstring& name : names) pointers.push_back(name.data());
  std::vector<DISPID> ids(names.size(), DISPID_UNKNOWN);
  ++g_name_lookups;
  const HRESULT hr = dispatch_->GetIDsOfNames(IID_NULL, pointers.data(), static_cast<UINT>(pointers.size()),
                                              LOCALE_USER_DEFAULT, ids.data());
  if (FAILED(hr)) {
    // The member is known but one of the argument names is not: VB's "Named argument not found".
    if (hr == DISP_E_UNKNOWNNAME && !named.empty() && ids[0] != DISPID_UNKNOWN) vb::Raise(448);
    throw ErrorFromCall(hr, dispatch_, IID_IDispatch);
  }
  const std::lock_guard<std::mutex> lock(g_types_mutex);
  entry.dispids[key] = ids;
  return ids;
}

vb::Variant ComObject::Invoke(std::string_view member, vb::CallKind kind, const vb::Arguments& arguments) {
  const bool put = kind == vb::CallKind::Put;
  if (put && arguments.empty()) vb::Raise(vb::errors::kWrongArgumentCount);
  // A property assignment's value is the last argument; it travels as the named DISPID_PROPERTYPUT.
  const std::size_t passed = put ? arguments.size() - 1 : arguments.size();
  std::vector<const vb::Argument*> positional;
  std::vector<const vb::Argument*> named;
  for (std::size_t i = 0; i < passed; ++i)
    (arguments[i].name.empty() ? positional : named).push_back(&arguments[i]);
  const std::vector<DISPID> ids = Lookup(member, named);

  // IDispatch wants the named arguments first, in the order of their DISPIDs, then the positional
  // ones from last to first.
  std::vector<ScopedVariant> values(arguments.size());
  std::vector<DISPID> named_ids;
  std::size_t slot = 0;
  if (put) {
    ToVariant(arguments.back().value, &values[slot++].value);
    named_ids.push_back(DISPID_PROPERTYPUT);
  }
  for (std::size_t i = 0; i < named.size(); ++i) {
    ToVariant(named[i]->value, &values[slot++].value);
    named_ids.push_back(ids[i + 1]);
  }
  for (auto it = positional.rbegin(); it != positional.rend(); ++it)
    ToVariant((*it)->value, &values[slot++].value);

  std::vector<VARIANT> raw;
  raw.reserve(values.size());
  for (const ScopedVariant& value : values) raw.push_back(value.value);  // shallow: `values` owns them
  DISPPARAMS parameters{raw.data(), named_ids.data(), static_cast<UINT>(raw.size()),
                        static_cast<UINT>(named_ids.size())};
  WORD flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
  if (put) flags = arguments.back().value.IsObject() ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
  ScopedVariant result;
  EXCEPINFO exception{};
  UINT argument_error = 0;
  const HRESULT hr = dispatch_->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
                                       put ? nullptr : &result.value, &exception, &argument_error);
  if (FAILED(hr)) {
    if (hr == DISP_E_EXCEPTION) {
      const vb::Error error = ErrorFromHresult(hr, &exception);
      SysFreeString(exception.bstrSource);
      SysFreeString(exception.bstrDescription);
      SysFreeString(exception.bstrHelpFile);
      throw error;
    }
    throw ErrorFromCall(hr, dispatch_, IID_IDispatch);
  }
  return FromVariant(result.value);
}

bool IsArrayElementType(VARTYPE type) {
  switch (type) {
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_I8:
    case VT_UI8:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DECIMAL:
    case VT_DATE:
    case VT_BSTR:
    case VT_BOOL:
    case VT_ERROR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
    case VT_VARIANT:
      return true;
    default:
      return false;
  }
}

vb::Variant FromSafeArray(SAFEARRAY* array, VARTYPE element) {
  vb::Array items;
  if (!array) return items;
  if (SafeArrayGetDim(array) != 1 || !IsArrayElementType(element)) vb::Raise(vb::errors::kTypeMismatch);
  LONG lower = 0;
  LONG upper = -1;
  if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper)))
    vb::Raise(vb::errors::kTypeMismatch);
  for (LONG i = lower; i <= upper; ++i) {
    ScopedVariant item;
    HRESULT hr;
    if (element == VT_VARIANT) {
      hr = SafeArrayGetElement(array, &i, &item.value);
    } else {
      // The element lands where a VARIANT keeps a value of its type (a DECIMAL covers the whole
      // VARIANT), then the VARIANT is given that type.
      void* storage = element == VT_DECIMAL ? static_cast<void*>(&item.value.decVal) : &item.value.llVal;
      hr = SafeArrayGetElement(array, &i, storage);
      if (SUCCEEDED(hr)) item.value.vt = element;
    }
    if (FAILED(hr)) vb::Raise(vb::errors::kTypeMismatch);
    items.push_back(FromVariant(item.value));
  }
  return items;
}

vb::Variant FromUnsigned(std::uint64_t value) {
  if (value <= 0x7FFFFFFFu) return static_cast<std::int32_t>(value);
  return static_cast<double>(value);
}

}  // namespace

std::uint64_t NameLookups() {
  return g_name_lookups.load();
}

vb::ObjectRef FromIDispatch(IDispatch* object) {
  if (!object) return {};
  // One of this process's served objects comes back as the object it serves.
  if (vb::ObjectRef served = ServedObjectOf(object)) return served;
  return std::make_shared<ComObject>(object);
}

namespace detail {

// The IDispatch behind an object of the bridge, AddRef'd; null for any other object.
IDispatch* BridgedIDispatch(const vb::ObjectRef& object) {
  const auto* com = dynamic_cast<const ComObject*>(object.get());
  if (!com) return nullptr;
  com->dispatch()->AddRef();
  return com->dispatch();
}

}  // namespace detail

IDispatch* ToIDispatch(const vb::ObjectRef& object) {
  if (!object) return nullptr;
  IDispatch* dispatch = detail::BridgedIDispatch(object);
  if (!dispatch) vb::Raise(vb::errors::kTypeMismatch);
  return dispatch;
}

void ToVariant(const vb::Variant& value, VARIANT* out) {
  VariantInit(out);
  switch (value.type()) {
    case vb::VarType::Empty:
      return;
    case vb::VarType::Missing:
      out->vt = VT_ERROR;
      out->scode = DISP_E_PARAMNOTFOUND;
      return;
    case vb::VarType::Boolean:
      out->vt = VT_BOOL;
      out->boolVal = value.ToBool() ? VARIANT_TRUE : VARIANT_FALSE;
      return;
    case vb::VarType::Integer:
      out->vt = VT_I2;
      out->iVal = value.ToInteger();
      return;
    case vb::VarType::Long:
      out->vt = VT_I4;
      out->lVal = value.ToLong();
      return;
    case vb::VarType::Single:
      out->vt = VT_R4;
      out->fltVal = value.ToSingle();
      return;
    case vb::VarType::Double:
      out->vt = VT_R8;
      out->dblVal = value.ToDouble();
      return;
    case vb::VarType::String:
      out->bstrVal = ToBstr(value.ToString());
      out->vt = VT_BSTR;
      return;
    case vb::VarType::Date:
      out->vt = VT_DATE;
      out->date = value.ToDate().serial;
      return;
    case vb::VarType::Object:
      out->pdispVal = ToIDispatch(value.ToObject());
      out->vt = VT_DISPATCH;
      return;
    case vb::VarType::Array: {
      const vb::Array& items = value.ToArray();
      SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(items.size()));
      if (!array) throw std::bad_alloc();
      try {
        for (LONG i = 0; i < static_cast<LONG>(items.size()); ++i) {
          ScopedVariant item;
          ToVariant(items[static_cast<std::size_t>(i)], &item.value);
          if (FAILED(SafeArrayPutElement(array, &i, &item.value))) throw std::bad_alloc();
        }
      } catch (...) {
        SafeArrayDestroy(array);
        throw;
      }
      out->vt = VT_ARRAY | VT_VARIANT;
      out->parray = array;
      return;
    }
  }
}

vb::Variant FromVariant(const VARIANT& value) {
  if (value.vt & VT_BYREF) {
    ScopedVariant copy;
    if (FAILED(VariantCopyInd(&copy.value, const_cast<VARIANT*>(&value))))
      vb::Raise(vb::errors::kTypeMismatch);
    return FromVariant(copy.value);
  }
  if (value.vt & VT_ARRAY) return FromSafeArray(value.parray, static_cast<VARTYPE>(value.vt & VT_TYPEMASK));
  switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
      return {};
    case VT_BOOL:
      return value.boolVal != VARIANT_FALSE;
    case VT_I1:
      return static_cast<std::int16_t>(value.cVal);
    case VT_UI1:
      return static_cast<std::int16_t>(value.bVal);
    case VT_I2:
      return static_cast<std::int16_t>(value.iVal);
    case VT_UI2:
      return static_cast<std::int32_t>(value.uiVal);
    case VT_I4:
      return static_cast<std::int32_t>(value.lVal);
    case VT_INT:
      return static_cast<std::int32_t>(value.intVal);
    case VT_UI4:
      return FromUnsigned(value.ulVal);
    case VT_UINT:
      return FromUnsigned(value.uintVal);
    case VT_I8:
      return static_cast<double>(value.llVal);
    case VT_UI8:
      return static_cast<double>(value.ullVal);
    case VT_R4:
      return value.fltVal;
    case VT_R8:
      return value.dblVal;
    case VT_CY:
      return static_cast<double>(value.cyVal.int64) / 10000.0;
    case VT_DECIMAL: {
      double number = 0.0;
      if (FAILED(VarR8FromDec(const_cast<DECIMAL*>(&value.decVal), &number)))
        vb::Raise(vb::errors::kOverflow);
      return number;
    }
    case VT_DATE:
      return vb::Date{value.date};
    case VT_BSTR:
      return FromBstr(value.bstrVal);
    case VT_DISPATCH:
      return FromIDispatch(value.pdispVal);
    case VT_UNKNOWN: {
      if (!value.punkVal) return vb::Variant::Nothing();
      IDispatch* dispatch = nullptr;
      if (FAILED(value.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) ||
          !dispatch)
        vb::Raise(vb::errors::kTypeMismatch);
      vb::ObjectRef object = FromIDispatch(dispatch);
      dispatch->Release();
      return object;
    }
    case VT_ERROR:
      if (value.scode == DISP_E_PARAMNOTFOUND) return vb::Variant::Missing();
      return static_cast<std::int32_t>(value.scode);
    default:
      vb::Raise(vb::errors::kTypeMismatch);
  }
}

}  // namespace win32
