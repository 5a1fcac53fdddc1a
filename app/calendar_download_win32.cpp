// Subscribed calendars fetched with WinHTTP: conditional requests, redirects followed by hand so none
// goes from https to http, and a size and time limit on everything.
#include "app/calendar_download_win32.h"

#include <windows.h>
#include <winhttp.h>

#include "app/locale_text_win32.h"
#include "icalendar/ical_reader.h"
#include "storage/file_store.h"

namespace {

constexpr DWORD connectTimeout = 15'000, wholeTimeout = 60'000;
const std::string tooLarge = "larger than 10 MB", noAnswer = "no answer";

struct Handle {
    HINTERNET handle = nullptr;
    ~Handle()
    {
        if (handle) WinHttpCloseHandle(handle);
    }
};

std::string header(HINTERNET request, DWORD which)
{
    wchar_t value[2048];
    DWORD size = sizeof value;
    if (!WinHttpQueryHeaders(request, which, WINHTTP_HEADER_NAME_BY_INDEX, value, &size, WINHTTP_NO_HEADER_INDEX))
        return {};
    return fromWide(std::wstring_view(value, size / sizeof(wchar_t)));
}

// One request, no redirect followed: the status, or 0 when nothing answered.
int request(HINTERNET session, const CalendarAddress& address, const CalendarValidators& last, HINTERNET& answered,
            Handle& connection, Handle& requestHandle)
{
    connection.handle = WinHttpConnect(session, toWide(address.host).c_str(), INTERNET_PORT(address.port), 0);
    if (!connection.handle) return 0;
    requestHandle.handle = WinHttpOpenRequest(connection.handle, L"GET", toWide(address.path).c_str(), nullptr,
                                              WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                              address.secure ? WINHTTP_FLAG_SECURE : 0);
    if (!requestHandle.handle) return 0;
    DWORD never = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
    WinHttpSetOption(requestHandle.handle, WINHTTP_OPTION_REDIRECT_POLICY, &never, sizeof never);
    std::wstring headers = L"Accept: text/calendar, */*\r\n";
    if (!last.entityTag.empty()) headers += L"If-None-Match: " + toWide(last.entityTag) + L"\r\n";
    if (!last.lastModified.empty()) headers += L"If-Modified-Since: " + toWide(last.lastModified) + L"\r\n";
    if (!WinHttpSendRequest(requestHandle.handle, headers.c_str(), DWORD(-1), WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(requestHandle.handle, nullptr))
        return 0;
    answered = requestHandle.handle;
    DWORD status = 0, size = sizeof status;
    WinHttpQueryHeaders(answered, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                        &status, &size, WINHTTP_NO_HEADER_INDEX);
    return int(status);
}

bool readBody(HINTERNET request, std::string& bytes, ULONGLONG deadline, std::string& reason)
{
    for (;;) {
        if (GetTickCount64() > deadline) return reason = noAnswer, false;
        DWORD available = 0;
        if (!WinHttpQueryDataAvailable(request, &available)) return reason = noAnswer, false;
        if (available == 0) return true;
        if (bytes.size() + available > maxCalendarFileBytes) return reason = tooLarge, false;
        size_t at = bytes.size();
        bytes.resize(at + available);
        DWORD read = 0;
        if (!WinHttpReadData(request, bytes.data() + at, available, &read)) return reason = noAnswer, false;
        bytes.resize(at + read);
    }
}

CalendarDownload fromFile(const CalendarAddress& address)
{
    CalendarDownload download;
    if (fileStamp(address.path.c_str()).size > maxCalendarFileBytes) return download.reason = tooLarge, download;
    ReadResult read = readWholeFile(address.path.c_str(), download.bytes);
    if (read != ReadResult::read) {
        download.reason = read == ReadResult::missing ? "the file is missing" : "the file cannot be read";
        return download;
    }
    download.result = CalendarDownload::changed;
    return download;
}

}  // namespace

CalendarDownload downloadCalendar(const std::string& text, const CalendarValidators& last)
{
    CalendarAddress address = parseCalendarAddress(text);
    if (address.kind == CalendarAddress::file) return fromFile(address);
    CalendarDownload download;
    if (address.kind == CalendarAddress::invalid) return download.reason = "not an address it can read", download;
    ULONGLONG deadline = GetTickCount64() + wholeTimeout;
    Handle session{WinHttpOpen(L"Quillory", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                               WINHTTP_NO_PROXY_BYPASS, 0)};
    if (!session.handle) return download.reason = noAnswer, download;
    WinHttpSetTimeouts(session.handle, int(connectTimeout), int(connectTimeout), int(wholeTimeout), int(wholeTimeout));
    for (int redirects = 0;; ++redirects) {
        Handle connection, requestHandle;
        HINTERNET answered = nullptr;
        int status = request(session.handle, address, last, answered, connection, requestHandle);
        if (status == 0 || GetTickCount64() > deadline) return download.reason = noAnswer, download;
        if (status == 304) return download.result = CalendarDownload::unchanged, download;
        if (status >= 300 && status < 400 && status != 304) {
            CalendarAddress target = redirectTarget(address, header(answered, WINHTTP_QUERY_LOCATION));
            if (redirects == maxRedirects || !mayRedirect(address, target))
                return download.reason = httpFailureReason(status, header(answered, WINHTTP_QUERY_STATUS_TEXT)), download;
            address = target;
            continue;
        }
        if (status != 200) return download.reason = httpFailureReason(status, header(answered, WINHTTP_QUERY_STATUS_TEXT)), download;
        if (!readBody(answered, download.bytes, deadline, download.reason)) return download;
        download.validators = {header(answered, WINHTTP_QUERY_ETAG), header(answered, WINHTTP_QUERY_LAST_MODIFIED)};
        download.result = CalendarDownload::changed;
        return download;
    }
}
