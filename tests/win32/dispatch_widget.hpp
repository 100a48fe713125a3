// A small automation object written by hand for the bridge's tests: a fixed member table, its own
// GetIDsOfNames and Invoke, a minimal ITypeInfo, a second IDispatch interface on the same object,
// and IErrorInfo support. It records what each call brought so that the tests can see the
// DISPPARAMS the bridge built.
#pragma once

// clang-format off
#include <windows.h>
#include <oaidl.h>
// clang-format on

#include <cwctype>
#include <map>
#include <string>
#include <vector>

namespace widget {

// The members and their DISPIDs (a type's DISPIDs are these plus its offset).
enum Member : DISPID { kEcho = 1, kValue, kNamed, kFail, kChild, kTwin, kItem };

// What one Invoke received.
struct Call {
  DISPID member = 0;
  WORD flags = 0;
  std::vector<VARTYPE> types;  // of rgvarg, in IDispatch's order
  std::vector<DISPID> named;   // rgdispidNamedArgs
  bool wants_result = false;
};

inline bool SameText(const wchar_t* a, const wchar_t* b) {
  while (*a && *b && std::towlower(*a) == std::towlower(*b)) ++a, ++b;
  return *a == 0 && *b == 0;
}

// The type information the bridge reads: the type's GUID and name; nothing else is implemented.
class TypeInfo final : public ITypeInfo {
 public:
  TypeInfo(const GUID& guid, std::wstring name) : guid_(guid), name_(std::move(name)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ITypeInfo)) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeAttr(TYPEATTR** out) override {
    auto* attributes = new TYPEATTR{};
    attributes->guid = guid_;
    attributes->typekind = TKIND_DISPATCH;
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
  HRESULT STDMETHODCALLTYPE GetTypeComp(ITypeComp**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetFuncDesc(UINT, FUNCDESC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetVarDesc(UINT, VARDESC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetNames(MEMBERID, BSTR*, UINT, UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRefTypeOfImplType(UINT, HREFTYPE*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetImplTypeFlags(UINT, INT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(LPOLESTR*, UINT, MEMBERID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(PVOID, MEMBERID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetDllEntry(MEMBERID, INVOKEKIND, BSTR*, BSTR*, WORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetRefTypeInfo(HREFTYPE, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE AddressOfMember(MEMBERID, INVOKEKIND, PVOID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, PVOID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMops(MEMBERID, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetContainingTypeLib(ITypeLib**, UINT*) override { return E_NOTIMPL; }
  void STDMETHODCALLTYPE ReleaseFuncDesc(FUNCDESC*) override {}
  void STDMETHODCALLTYPE ReleaseVarDesc(VARDESC*) override {}

 private:
  ~TypeInfo() = default;
  GUID guid_;
  std::wstring name_;
  ULONG references_ = 1;
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

class Widget final : public IDispatch {
 public:
  explicit Widget(Type type) : type_(std::move(type)) {}

  /// GetIDsOfNames calls this object has answered.
  int lookups = 0;
  /// The last Invoke's parameters.
  Call last;
  /// The arguments of the last Echo, as received.
  std::vector<VARIANT> received;
  /// The IDispatch of the second interface of this object (not AddRef'd).
  IDispatch* twin() { return &twin_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
      *out = static_cast<IDispatch*>(this);
    } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
      *out = &support_;
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  ULONG references() const { return references_; }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = IsEqualGUID(type_.guid, GUID_NULL) ? 0 : 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** out) override {
    *out = nullptr;
    if (index != 0 || IsEqualGUID(type_.guid, GUID_NULL)) return DISP_E_BADINDEX;
    *out = new TypeInfo(type_.guid, type_.name);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    ++lookups;
    static const std::map<std::wstring, DISPID> kMembers = {
        {L"echo", kEcho},   {L"value", kValue}, {L"named", kNamed}, {L"fail", kFail},
        {L"child", kChild}, {L"twin", kTwin},   {L"item", kItem}};
    HRESULT hr = S_OK;
    ids[0] = DISPID_UNKNOWN;
    for (const auto& [name, id] : kMembers) {
      if (SameText(names[0], name.c_str())) ids[0] = id + type_.offset;
    }
    if (ids[0] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    // Only Named has argument names: a, b, c are its parameters 0, 1, 2.
    for (UINT i = 1; i < count; ++i) {
      ids[i] = DISPID_UNKNOWN;
      const wchar_t* parameters[] = {L"a", L"b", L"c"};
      for (DISPID p = 0; p < 3; ++p) {
        if (ids[0] == kNamed + type_.offset && SameText(names[i], parameters[p])) ids[i] = p;
      }
      if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override {
    last = Call{member, flags, {}, {}, result != nullptr};
    for (UINT i = 0; i < params->cArgs; ++i) last.types.push_back(params->rgvarg[i].vt);
    for (UINT i = 0; i < params->cNamedArgs; ++i) last.named.push_back(params->rgdispidNamedArgs[i]);
    if (result) VariantInit(result);
    const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    if (put && (params->cNamedArgs < 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
      return DISP_E_PARAMNOTFOUND;
    switch (member - type_.offset) {
      case kEcho:
        if (params->cArgs != 1 || params->cNamedArgs != 0) return DISP_E_BADPARAMCOUNT;
        Clear();
        received.resize(1);
        VariantInit(&received[0]);
        VariantCopy(&received[0], &params->rgvarg[0]);
        return result ? VariantCopy(result, &params->rgvarg[0]) : S_OK;
      case kValue:
        if (put) return VariantCopy(&value_, &params->rgvarg[0]);
        return result ? VariantCopy(result, &value_) : S_OK;
      case kItem: {
        // Item(index) = value: the index is the one positional argument after the value.
        if (params->cArgs != (put ? 2u : 1u)) return DISP_E_BADPARAMCOUNT;
        VARIANT index;
        VariantInit(&index);
        if (FAILED(VariantChangeType(&index, &params->rgvarg[put ? 1 : 0], 0, VT_I4)))
          return DISP_E_TYPEMISMATCH;
        if (put) return VariantCopy(&items_[index.lVal], &params->rgvarg[0]);
        if (!items_.count(index.lVal)) return DISP_E_BADINDEX;
        return result ? VariantCopy(result, &items_[index.lVal]) : S_OK;
      }
      case kNamed:
        return Named(params, result);
      case kChild:
        if (result) {
          result->vt = VT_DISPATCH;
          result->pdispVal = new Widget(type_);
        }
        return S_OK;
      case kTwin:
        if (result) {
          result->vt = VT_DISPATCH;
          result->pdispVal = &twin_;
          AddRef();
        }
        return S_OK;
      case kFail:
        return Fail(params, exception);
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
  }

 private:
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
  HRESULT Named(DISPPARAMS* params, VARIANT* result) {
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
    const wchar_t* names[] = {L"a=", L",b=", L",c="};
    for (int i = 0; i < 3; ++i) {
      text += names[i];
      if (!slots[i] || (slots[i]->vt == VT_ERROR && slots[i]->scode == DISP_E_PARAMNOTFOUND)) {
        text += L"-";
        continue;
      }
      VARIANT as_text;
      VariantInit(&as_text);
      if (FAILED(VariantChangeType(&as_text, const_cast<VARIANT*>(slots[i]), 0, VT_BSTR)))
        return DISP_E_TYPEMISMATCH;
      text += as_text.bstrVal;
      VariantClear(&as_text);
    }
    if (result) {
      result->vt = VT_BSTR;
      result->bstrVal = SysAllocString(text.c_str());
    }
    return S_OK;
  }

  static HRESULT STDMETHODCALLTYPE FillIn(EXCEPINFO* info) {
    info->scode = static_cast<SCODE>(0x80048240);
    info->bstrSource = SysAllocString(L"Widget");
    info->bstrDescription = SysAllocString(L"Filled in later");
    return S_OK;
  }

  // Fail(kind) fails as the test asks: through EXCEPINFO (1 PowerPoint's error, 2 deferred fill-in,
  // 3 a VB error number as scode, 4 wCode only), or with a bare HRESULT (5 the given HRESULT,
  // 6 E_FAIL with IErrorInfo set).
  HRESULT Fail(DISPPARAMS* params, EXCEPINFO* exception) {
    if (params->cArgs < 1 || params->rgvarg[params->cArgs - 1].vt != VT_I4) return DISP_E_TYPEMISMATCH;
    const LONG kind = params->rgvarg[params->cArgs - 1].lVal;
    const HRESULT given =
        params->cArgs > 1 && params->rgvarg[0].vt == VT_I4 ? params->rgvarg[0].lVal : E_FAIL;
    if (kind >= 1 && kind <= 4 && !exception) return E_POINTER;
    switch (kind) {
      case 1:
        *exception = EXCEPINFO{};
        exception->scode = static_cast<SCODE>(0x80048240);
        exception->bstrSource = SysAllocString(L"PowerPoint");
        exception->bstrDescription = SysAllocString(L"Shapes.Item : entier hors limites.");
        return DISP_E_EXCEPTION;
      case 2:
        *exception = EXCEPINFO{};
        exception->pfnDeferredFillIn = FillIn;
        return DISP_E_EXCEPTION;
      case 3:
        *exception = EXCEPINFO{};
        exception->scode = static_cast<SCODE>(0x800A01B6);
        exception->bstrSource = SysAllocString(L"Widget");
        exception->bstrDescription = SysAllocString(L"No such thing");
        return DISP_E_EXCEPTION;
      case 4:
        *exception = EXCEPINFO{};
        exception->wCode = 1004;
        exception->bstrSource = SysAllocString(L"Widget");
        return DISP_E_EXCEPTION;
      case 5:
        return given;
      case 6: {
        ICreateErrorInfo* create = nullptr;
        CreateErrorInfo(&create);
        create->SetSource(const_cast<LPOLESTR>(L"Widget"));
        create->SetDescription(const_cast<LPOLESTR>(L"Told through IErrorInfo"));
        IErrorInfo* info = nullptr;
        create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
        SetErrorInfo(0, info);
        info->Release();
        create->Release();
        return E_FAIL;
      }
      default:
        return DISP_E_BADINDEX;
    }
  }

  // The second IDispatch of the object: another pointer, the same object.
  struct Twin final : IDispatch {
    Widget* outer;
    explicit Twin(Widget* w) : outer(w) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
      return outer->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return outer->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return outer->Release(); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
      return outer->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** out) override {
      return outer->GetTypeInfo(i, l, out);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* ids) override {
      return outer->GetIDsOfNames(r, n, c, l, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v,
                                     EXCEPINFO* e, UINT* u) override {
      return outer->Invoke(d, r, l, f, p, v, e, u);
    }
  };
  struct Support final : ISupportErrorInfo {
    Widget* outer;
    explicit Support(Widget* w) : outer(w) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
      return outer->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return outer->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return outer->Release(); }
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
      return IsEqualIID(iid, IID_IDispatch) ? S_OK : S_FALSE;
    }
  };

  Type type_;
  ULONG references_ = 1;
  VARIANT value_{};
  std::map<LONG, VARIANT> items_;
  Twin twin_{this};
  Support support_{this};
};

}  // namespace widget
