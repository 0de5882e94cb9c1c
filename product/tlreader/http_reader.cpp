#include "product/tlreader/http_reader.h"

#include <cstdlib>

namespace tlreader {
namespace {

const wchar_t* Wide(const TLString& text) { return text.wc(); }

bool IsLoopback(const TLString& host) {
    return host == u"127.0.0.1" || host.EqualsNoCase(u"localhost") || host == u"[::1]";
}

}  // namespace

CHttpReader* CHttpReader::Create(const TLString& address) {
    if (!address.StartsWithNoCase(u"http://") && !address.StartsWithNoCase(u"https://")) return nullptr;
    return new CHttpReader(address);
}

CHttpReader::~CHttpReader() { Close(); }

void CHttpReader::SetRequestHeader(const TLString& name, const TLString& value) {
    headers_ += name + u": " + value + u"\r\n";
}

void CHttpReader::SetRequestMethod(const TLString& method, const void* data, int length) {
    method_ = method.empty() ? TLString(u"GET") : method;
    const char* bytes = static_cast<const char*>(data);
    data_.assign(bytes, bytes + (data && length > 0 ? length : 0));
}

void CHttpReader::SetTimeout(int milliseconds) { timeout_ms_ = milliseconds; }

void CHttpReader::Fail(const char16_t* step) {
    status_text_ = TLString::Format(u"%s failed (WinHTTP error %d)", TLString(step), static_cast<int>(GetLastError()));
}

bool CHttpReader::Open() {
    URL_COMPONENTS parts = {};
    parts.dwStructSize = sizeof(parts);
    wchar_t host[256] = {};
    wchar_t path[4096] = {};
    wchar_t extra[4096] = {};
    parts.lpszHostName = host;
    parts.dwHostNameLength = ARRAYSIZE(host);
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = ARRAYSIZE(path);
    parts.lpszExtraInfo = extra;
    parts.dwExtraInfoLength = ARRAYSIZE(extra);
    if (!WinHttpCrackUrl(Wide(address_), 0, 0, &parts)) {
        Fail(u"Reading the address");
        return false;
    }
    const TLString host_name(reinterpret_cast<const char16_t*>(host));
    // A proxy never serves this machine's own addresses.
    const DWORD access = IsLoopback(host_name) ? WINHTTP_ACCESS_TYPE_NO_PROXY : WINHTTP_ACCESS_TYPE_DEFAULT_PROXY;
    std::lock_guard<std::mutex> lock(handles_lock_);
    if (closed_) return false;
    session_ = WinHttpOpen(L"Corvane Reader/27", access, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    if (!session_) {
        Fail(u"Starting the HTTP client");
        return false;
    }
    WinHttpSetTimeouts(session_, timeout_ms_, timeout_ms_, timeout_ms_, timeout_ms_);
    connection_ = WinHttpConnect(session_, host, parts.nPort, 0);
    const TLString object = TLString(reinterpret_cast<const char16_t*>(path)) +
                            TLString(reinterpret_cast<const char16_t*>(extra));
    request_ = connection_ ? WinHttpOpenRequest(connection_, Wide(method_), Wide(object), nullptr,
                                                WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                                parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0)
                             : nullptr;
    if (!request_) {
        Fail(u"Connecting");
        return false;
    }
    if (!headers_.empty())
        WinHttpAddRequestHeaders(request_, Wide(headers_), static_cast<DWORD>(-1L),
                                 WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE);
    const DWORD length = static_cast<DWORD>(data_.size());
    if (!WinHttpSendRequest(request_, WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                            data_.empty() ? WINHTTP_NO_REQUEST_DATA : data_.data(), length, length, 0) ||
        !WinHttpReceiveResponse(request_, nullptr)) {
        Fail(u"Sending the request");
        return false;
    }
    status_code_ = QueryHeader(WINHTTP_QUERY_STATUS_CODE);
    status_text_ = QueryHeader(WINHTTP_QUERY_STATUS_TEXT);
    const int code = std::atoi(status_code_.ToUtf8().c_str());
    return (code >= 200 && code < 300) || code == 304;
}

TLString CHttpReader::QueryHeader(DWORD which) const {
    if (!request_) return TLString();
    DWORD size = 0;
    WinHttpQueryHeaders(request_, which, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER, &size,
                        WINHTTP_NO_HEADER_INDEX);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return TLString();
    std::u16string text(size / sizeof(char16_t) + 1, u'\0');
    if (!WinHttpQueryHeaders(request_, which, WINHTTP_HEADER_NAME_BY_INDEX, text.data(), &size,
                             WINHTTP_NO_HEADER_INDEX))
        return TLString();
    text.resize(size / sizeof(char16_t));
    return TLString(text);
}

int64_t CHttpReader::ContentLength() {
    const TLString text = QueryHeader(WINHTTP_QUERY_CONTENT_LENGTH);
    if (text.empty()) return -1;
    char* end = nullptr;
    const std::string digits = text.ToUtf8();
    const long long length = std::strtoll(digits.c_str(), &end, 10);
    return end && *end == '\0' && length >= 0 ? length : -1;
}

int CHttpReader::Read(void* buffer, int size) {
    if (closed_ || !request_ || size < 0) return -1;
    DWORD read = 0;
    if (!WinHttpReadData(request_, buffer, static_cast<DWORD>(size), &read)) return -1;
    // Data that arrives after a Close belongs to nobody.
    return closed_ ? -1 : static_cast<int>(read);
}

void CHttpReader::Close() {
    closed_ = true;
    std::lock_guard<std::mutex> lock(handles_lock_);
    for (HINTERNET* handle : {&request_, &connection_, &session_}) {
        if (*handle) WinHttpCloseHandle(*handle);
        *handle = nullptr;
    }
}

TLString CHttpReader::GetProperty(const TLString& name) {
    if (name == u"StatusCode") return status_code_;
    if (name == u"StatusText") return status_text_;
    if (name == u"AllHeaders") return QueryHeader(WINHTTP_QUERY_RAW_HEADERS_CRLF);
    if (name == u"ContentEncoding") return QueryHeader(WINHTTP_QUERY_CONTENT_ENCODING);
    if (name == u"Last-Modified") return QueryHeader(WINHTTP_QUERY_LAST_MODIFIED);
    if (name == u"Location" && request_) {
        DWORD size = 0;
        WinHttpQueryOption(request_, WINHTTP_OPTION_URL, nullptr, &size);
        std::u16string url(size / sizeof(char16_t) + 1, u'\0');
        if (size && WinHttpQueryOption(request_, WINHTTP_OPTION_URL, url.data(), &size)) {
            url.resize(size / sizeof(char16_t));
            while (!url.empty() && url.back() == u'\0') url.pop_back();
            return TLString(url);
        }
    }
    return TLString();
}

}  // namespace tlreader
