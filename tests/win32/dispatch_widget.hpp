// A small automation object written by hand for the bridge's tests: a fixed member table, its own
// GetIDsOfNames and Invoke, type information made by oleaut32 (a GUID and a name, nothing else), a
// second IDispatch on the same object, and IErrorInfo. It records what each call brought, so that
// the tests see the DISPPARAMS the bridge built.
#pragma once

// clang-format off
#include <windows.h>
#include <oaidl.h>
// clang-format on

#include <map>
#include <string>
#include <vector>

#include "win32/dispatch/com_object.hpp"

namespace widget {

// The members, DISPIDs 1 to 7 (a type's DISPIDs are these plus its offset).
enum Member : DISPID { kEcho = 1, kValue, kNamed, kFail, kChild, kTwin, kItem };
inline const wchar_t* const kNames[] = {L"echo", L"value", L"named", L"fail", L"child", L"twin", L"item"};

// What one Invoke received.
struct Call {
  DISPID member = 0;
  WORD flags = 0;
  std::vector<VARTYPE> types;  // of rgvarg, in IDispatch's order
  std::vector<DISPID> named;   // rgdispidNamedArgs
  bool wants_result = false;
};

// What makes a Widget's type: its GUID (GUID_NULL: no type information at all), name and the
// offset added to its DISPIDs (two types may number the same names differently).
struct Type {
  GUID guid = GUID_NULL;
  std::wstring name = L"_Widget";
  DISPID offset = 0;
};

inline GUID NewGuid() {
  GUID guid{};
  CoCreateGuid(&guid);
  return guid;
}

// A dispinterface's type information holding the type's GUID and name, made in memory by oleaut32.
inline ITypeInfo* MakeTypeInfo(const Type& type) {
  ICreateTypeLib2* library = nullptr;
  ICreateTypeInfo* made = nullptr;
  ITypeInfo* info = nullptr;
  if (SUCCEEDED(CreateTypeLib2(SYS_WIN32, const_cast<LPOLESTR>(L"widget.tlb"), &library)) &&
      SUCCEEDED(library->CreateTypeInfo(const_cast<LPOLESTR>(type.name.c_str()), TKIND_DISPATCH, &made))) {
    made->SetGuid(type.guid);
    made->LayOut();
    made->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(&info));
  }
  if (made) made->Release();
  if (library) library->Release();
  return info;
}

// Fail(kind[, hr]) fails as the test asks: through EXCEPINFO (1 PowerPoint's error, 2 deferred
// fill-in, 3 a VB error number as scode, 4 wCode only), or with a bare HRESULT (5 the given one,
// 6 E_FAIL with IErrorInfo set).
inline HRESULT STDMETHODCALLTYPE FillIn(EXCEPINFO* info) {
  info->scode = static_cast<SCODE>(0x80048240);
  info->bstrSource = SysAllocString(L"Widget");
  info->bstrDescription = SysAllocString(L"Filled in later");
  return S_OK;
}
inline HRESULT Fail(LONG kind, HRESULT given, EXCEPINFO* exception) {
  if (kind >= 1 && kind <= 4) {
    if (!exception) return E_POINTER;
    *exception = EXCEPINFO{};
    const struct {
      SCODE scode;
      WORD code;
      const wchar_t* source;
      const wchar_t* description;
    } kinds[] = {{static_cast<SCODE>(0x80048240), 0, L"PowerPoint", L"Shapes.Item : entier hors limites."},
                 {0, 0, nullptr, nullptr},
                 {static_cast<SCODE>(0x800A01B6), 0, L"Widget", L"No such thing"},
                 {0, 1004, L"Widget", nullptr}};
    const auto& k = kinds[kind - 1];
    exception->scode = k.scode;
    exception->wCode = k.code;
    exception->bstrSource = k.source ? SysAllocString(k.source) : nullptr;
    exception->bstrDescription = k.description ? SysAllocString(k.description) : nullptr;
    if (kind == 2) exception->pfnDeferredFillIn = FillIn;
    return DISP_E_EXCEPTION;
  }
  if (kind == 5) return given;
  if (kind != 6) return DISP_E_BADINDEX;
  ICreateErrorInfo* create = nullptr;
  IErrorInfo* info = nullptr;
  CreateErrorInfo(&create);
  create->SetSource(const_cast<LPOLESTR>(L"Widget"));
  create->SetDescription(const_cast<LPOLESTR>(L"Told through IErrorInfo"));
  create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
  SetErrorInfo(0, info);
  info->Release();
  create->Release();
  return E_FAIL;
}

class Widget final : public win32::ComObject<IDispatch, ISupportErrorInfo> {
 public:
  explicit Widget(Type type) : type_(std::move(type)) {}

  int lookups = 0;                      // GetIDsOfNames calls answered
  Call last;                            // the last Invoke's parameters
  std::vector<VARIANT> received;        // the arguments of the last Echo, as received
  IDispatch* twin() { return &twin_; }  // the object's second IDispatch (not AddRef'd)
  using ComObject::references;

  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
    return IsEqualIID(iid, IID_IDispatch) ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = IsEqualGUID(type_.guid, GUID_NULL) ? 0 : 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** out) override {
    *out = index == 0 && !IsEqualGUID(type_.guid, GUID_NULL) ? MakeTypeInfo(type_) : nullptr;
    return *out ? S_OK : DISP_E_BADINDEX;
  }

  // Only Named has argument names: a, b, c are its parameters 0, 1, 2.
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    ++lookups;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
      ids[i] = DISPID_UNKNOWN;
      for (DISPID m = 0; m < 7 && i == 0; ++m)
        if (!_wcsicmp(names[0], kNames[m])) ids[0] = m + 1 + type_.offset;
      for (DISPID p = 0; p < 3 && i > 0 && ids[0] == kNamed + type_.offset; ++p)
        if (!_wcsicmp(names[i], std::wstring(1, static_cast<wchar_t>(L'a' + p)).c_str())) ids[i] = p;
      if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override {
    last = Call{member, flags, {}, {}, result != nullptr};
    for (UINT i = 0; i < params->cArgs; ++i) last.types.push_back(params->rgvarg[i].vt);
    for (UINT i = 0; i < params->cNamedArgs; ++i) last.named.push_back(params->rgdispidNamedArgs[i]);
    VARIANT scratch;
    VariantInit(&scratch);
    if (result) VariantInit(result);
    const HRESULT hr = Do(member, flags, params, result ? result : &scratch, exception);
    VariantClear(&scratch);
    return hr;
  }

 private:
  HRESULT Do(DISPID member, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception) {
    const UINT n = params->cArgs;
    VARIANT* args = params->rgvarg;
    const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    if (put && (params->cNamedArgs < 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
      return DISP_E_PARAMNOTFOUND;
    switch (member - type_.offset) {
      case kEcho:
        if (n != 1 || params->cNamedArgs != 0) return DISP_E_BADPARAMCOUNT;
        Clear();
        received.resize(1);
        VariantInit(&received[0]);
        VariantCopy(&received[0], &args[0]);
        return VariantCopy(result, &args[0]);
      case kValue:
        return put ? VariantCopy(&value_, &args[0]) : VariantCopy(result, &value_);
      case kItem: {  // Item(index) = value: the index is the one positional argument after the value
        VARIANT index;
        VariantInit(&index);
        if (n != (put ? 2u : 1u)) return DISP_E_BADPARAMCOUNT;
        if (FAILED(VariantChangeType(&index, &args[put ? 1 : 0], 0, VT_I4))) return DISP_E_TYPEMISMATCH;
        if (put) return VariantCopy(&items_[index.lVal], &args[0]);
        return items_.count(index.lVal) ? VariantCopy(result, &items_[index.lVal]) : DISP_E_BADINDEX;
      }
      case kNamed:
        return Named(params, result);
      case kChild:
      case kTwin:
        result->vt = VT_DISPATCH;
        result->pdispVal =
            member - type_.offset == kChild ? static_cast<IDispatch*>(new Widget(type_)) : &twin_;
        if (result->pdispVal == &twin_) AddRef();
        return S_OK;
      case kFail:
        if (n < 1 || args[n - 1].vt != VT_I4) return DISP_E_TYPEMISMATCH;
        return Fail(args[n - 1].lVal, n > 1 && args[0].vt == VT_I4 ? args[0].lVal : E_FAIL, exception);
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
  }

  ~Widget() {
    Clear();
    VariantClear(&value_);
    for (auto& [index, item] : items_) VariantClear(&item);
  }
  void Clear() {
    for (VARIANT& v : received) VariantClear(&v);
    received.clear();
  }

  // Named(a, b, c) describes what it received: "a=1,b=-,c=3" (- for a missing argument).
  static HRESULT Named(DISPPARAMS* params, VARIANT* result) {
    const VARIANT* slots[3] = {};
    const UINT named = params->cNamedArgs;
    const UINT positional = params->cArgs - named;
    if (positional > 3) return DISP_E_BADPARAMCOUNT;
    for (UINT i = 0; i < positional; ++i) slots[i] = &params->rgvarg[params->cArgs - 1 - i];
    for (UINT i = 0; i < named; ++i) {
      const DISPID id = params->rgdispidNamedArgs[i];
      if (id < 0 || id > 2) return DISP_E_PARAMNOTFOUND;
      slots[id] = &params->rgvarg[i];
    }
    std::wstring text;
    for (int i = 0; i < 3; ++i) {
      text += std::wstring(i ? L"," : L"") + static_cast<wchar_t>(L'a' + i) + L"=";
      VARIANT as_text;
      VariantInit(&as_text);
      if (!slots[i] || (slots[i]->vt == VT_ERROR && slots[i]->scode == DISP_E_PARAMNOTFOUND)) {
        text += L"-";
      } else if (FAILED(VariantChangeType(&as_text, const_cast<VARIANT*>(slots[i]), 0, VT_BSTR))) {
        return DISP_E_TYPEMISMATCH;
      } else {
        text += as_text.bstrVal;
        VariantClear(&as_text);
      }
    }
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocString(text.c_str());
    return S_OK;
  }

  // The second IDispatch of the object: another pointer, the same object.
  struct Twin final : IDispatch {
    Widget* w;
    explicit Twin(Widget* outer) : w(outer) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
      return w->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return w->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return w->Release(); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* c) override { return w->GetTypeInfoCount(c); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** o) override {
      return w->GetTypeInfo(i, l, o);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* ids) override {
      return w->GetIDsOfNames(r, n, c, l, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v,
                                     EXCEPINFO* e, UINT* u) override {
      return w->Invoke(d, r, l, f, p, v, e, u);
    }
  };

  Type type_;
  VARIANT value_{};
  std::map<LONG, VARIANT> items_;
  Twin twin_{this};
};

}  // namespace widget
