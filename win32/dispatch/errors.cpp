#include "win32/dispatch/errors.hpp"

#include <cstdint>
#include <new>

namespace win32 {
namespace {

constexpr std::uint32_t kVbFacility = 0x800A0000u;

std::int32_t Signed(HRESULT hr) {
  return static_cast<std::int32_t>(hr);
}

// The small number VB reports for an HRESULT it knows, or 0.
std::int32_t VbNumberOf(HRESULT hr) {
  const auto code = static_cast<std::uint32_t>(hr);
  if ((code & 0xFFFF0000u) == kVbFacility) return static_cast<std::int32_t>(code & 0xFFFFu);
  switch (hr) {
    case DISP_E_MEMBERNOTFOUND:
    case DISP_E_UNKNOWNNAME:
      return vb::errors::kNoSuchMember;
    case DISP_E_TYPEMISMATCH:
      return vb::errors::kTypeMismatch;
    case DISP_E_BADPARAMCOUNT:
    case DISP_E_PARAMNOTFOUND:
      return vb::errors::kWrongArgumentCount;
    case DISP_E_OVERFLOW:
      return vb::errors::kOverflow;
    case DISP_E_BADINDEX:
      return vb::errors::kSubscriptOutOfRange;
    default:
      return 0;
  }
}

// The system's text for an HRESULT, without its line ends; "" when the system has none.
std::string SystemMessage(HRESULT hr) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(hr), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&buffer), 0,
      nullptr);
  std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  return Narrow(text);
}

// The number and description VB gives an HRESULT with no exception information.
vb::Error PlainError(HRESULT hr) {
  const std::int32_t small = VbNumberOf(hr);
  if (small != 0) return vb::Error(small, vb::kProjectName, vb::DefaultDescription(small));
  std::string message = SystemMessage(hr);
  if (message.empty()) message = "Automation error";
  return vb::Error(Signed(hr), vb::kProjectName, std::move(message));
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), length);
  return out;
}

std::string Narrow(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  const int size = static_cast<int>(utf16.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, out.data(), length, nullptr, nullptr);
  return out;
}

BSTR ToBstr(std::string_view utf8) {
  const std::wstring wide = Widen(utf8);
  BSTR text = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (!text) throw std::bad_alloc();
  return text;
}

std::string FromBstr(BSTR text) {
  if (!text) return {};
  return Narrow(std::wstring_view(text, SysStringLen(text)));
}

vb::Error ErrorFromHresult(HRESULT hr, const EXCEPINFO* info) {
  if (hr != DISP_E_EXCEPTION || !info) return PlainError(hr);
  EXCEPINFO filled = *info;
  if (filled.pfnDeferredFillIn) {
    filled.pfnDeferredFillIn(&filled);
    filled.pfnDeferredFillIn = nullptr;
  }
  std::int32_t number = Signed(filled.scode);
  if (number == 0) number = filled.wCode;
  if ((static_cast<std::uint32_t>(number) & 0xFFFF0000u) == kVbFacility)
    number = static_cast<std::int32_t>(static_cast<std::uint32_t>(number) & 0xFFFFu);
  std::string source = FromBstr(filled.bstrSource);
  std::string description = FromBstr(filled.bstrDescription);
  // Strings the fill-in made are this function's to free; the caller's own stay the caller's.
  if (filled.bstrSource != info->bstrSource) SysFreeString(filled.bstrSource);
  if (filled.bstrDescription != info->bstrDescription) SysFreeString(filled.bstrDescription);
  if (filled.bstrHelpFile != info->bstrHelpFile) SysFreeString(filled.bstrHelpFile);
  if (number == 0) return PlainError(E_FAIL);
  if (description.empty()) {
    description = number > 0 ? vb::DefaultDescription(number) : SystemMessage(static_cast<HRESULT>(number));
    if (description.empty()) description = "Automation error";
  }
  if (source.empty()) source = vb::kProjectName;
  return vb::Error(number, std::move(source), std::move(description));
}

vb::Error ErrorFromCall(HRESULT hr, IUnknown* object, REFIID iid) {
  vb::Error error = PlainError(hr);
  if (!object) return error;
  ISupportErrorInfo* support = nullptr;
  if (FAILED(object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support))) || !support)
    return error;
  const bool supported = support->InterfaceSupportsErrorInfo(iid) == S_OK;
  support->Release();
  if (!supported) return error;
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || !info) return error;
  BSTR source = nullptr;
  BSTR description = nullptr;
  info->GetSource(&source);
  info->GetDescription(&description);
  info->Release();
  std::string source_text = FromBstr(source);
  std::string description_text = FromBstr(description);
  SysFreeString(source);
  SysFreeString(description);
  return vb::Error(error.number(), source_text.empty() ? error.source() : std::move(source_text),
                   description_text.empty() ? error.description() : std::move(description_text));
}

namespace {

HRESULT HresultOf(const vb::Error& error) {
  const std::int32_t number = error.number();
  if (number < 0) return static_cast<HRESULT>(number);
  if (number >= 1 && number <= 0xFFFF)
    return static_cast<HRESULT>(kVbFacility | static_cast<std::uint32_t>(number));
  return E_FAIL;
}

}  // namespace

HRESULT ReportError(const vb::Error& error, REFGUID iid) {
  ICreateErrorInfo* create = nullptr;
  if (SUCCEEDED(CreateErrorInfo(&create)) && create) {
    create->SetGUID(iid);
    const std::wstring source = Widen(error.source());
    const std::wstring description = Widen(error.description());
    create->SetSource(const_cast<LPOLESTR>(source.c_str()));
    create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info))) && info) {
      SetErrorInfo(0, info);
      info->Release();
    }
    create->Release();
  }
  return HresultOf(error);
}

void FillExcepInfo(const vb::Error& error, EXCEPINFO* info) {
  *info = EXCEPINFO{};
  info->scode = HresultOf(error);
  info->bstrSource = ToBstr(error.source());
  info->bstrDescription = ToBstr(error.description());
}

}  // namespace win32
