// Subscribed calendars: their shared list, their addresses and what a failed reading says.
#include "icalendar/subscriptions.h"

#include <cstdint>
#include <cstdio>

#include "storage/ini_file.h"
#include "storage/text_builder.h"
#include "text/numbers.h"

namespace {

std::string sectionName(int i)
{
    return "SUBSCRIPTION_" + std::to_string(i);
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && sameIniName(text.substr(0, prefix.size()), prefix);
}

}  // namespace

std::vector<Subscription> readSubscriptions(const IniFile& ini)
{
    std::vector<Subscription> subscriptions;
    for (int i = 0; i < maxSubscriptions; ++i) {
        std::string section = sectionName(i);
        Subscription s{std::string(iniStringValue(findIniKey(ini, section.c_str(), "name"), "")),
                       std::string(iniStringValue(findIniKey(ini, section.c_str(), "address"), ""))};
        if (!s.name.empty() && !s.address.empty()) subscriptions.push_back(std::move(s));
    }
    return subscriptions;
}

std::string composeSubscriptions(const std::vector<Subscription>& subscriptions)
{
    TextBuilder builder;
    for (size_t i = 0; i < subscriptions.size() && int(i) < maxSubscriptions; ++i) {
        builder.appendLineBreak();
        builder.append(("[" + sectionName(int(i)) + "]").c_str());
        builder.appendLineBreak();
        builder.append("name = ");
        appendIniValue(builder, subscriptions[i].name);
        builder.appendLineBreak();
        builder.append("address = ");
        appendIniValue(builder, subscriptions[i].address);
        builder.appendLineBreak();
    }
    return std::string(builder.data(), size_t(builder.length()));
}

CalendarAddress parseCalendarAddress(std::string_view address)
{
    while (!address.empty() && (address.front() == ' ' || address.front() == '\t')) address.remove_prefix(1);
    while (!address.empty() && (address.back() == ' ' || address.back() == '\t')) address.remove_suffix(1);
    CalendarAddress parsed;
    bool secure = startsWithNoCase(address, "https://") || startsWithNoCase(address, "webcal://") ||
                  startsWithNoCase(address, "webcals://");
    if (!secure && !startsWithNoCase(address, "http://")) {
        // A drive letter or a share: "C:\..." or "\\server\...".
        bool drive = address.size() > 2 && address[1] == ':' && (address[2] == '\\' || address[2] == '/');
        if (drive || address.starts_with("\\\\")) parsed = {CalendarAddress::file, false, "", 0, std::string(address)};
        return parsed;
    }
    address.remove_prefix(address.find("://") + 3);
    size_t pathStart = address.find_first_of("/?#");
    std::string_view authority = address.substr(0, pathStart);
    std::string path(pathStart == std::string_view::npos ? "/" : address.substr(pathStart));
    if (path.front() != '/') path.insert(0, "/");
    if (size_t fragment = path.find('#'); fragment != std::string::npos) path.resize(fragment);
    // Credentials in the address are not sent, and a host is needed.
    if (authority.find('@') != std::string_view::npos || authority.empty()) return parsed;
    int port = secure ? 443 : 80;
    if (size_t colon = authority.rfind(':'); colon != std::string_view::npos && authority.back() != ']') {
        std::string_view digits = authority.substr(colon + 1);
        if (takeDecimal(digits, port) == 0 || !digits.empty() || port == 0 || port > 65535) return parsed;
        authority = authority.substr(0, colon);
    }
    return {CalendarAddress::web, secure, std::string(authority), port, path};
}

bool mayRedirect(const CalendarAddress& from, const CalendarAddress& to)
{
    return to.kind == CalendarAddress::web && (to.secure || !from.secure);
}

CalendarAddress redirectTarget(const CalendarAddress& from, std::string_view location)
{
    if (location.starts_with("/") && !location.starts_with("//")) {
        CalendarAddress target = from;
        target.path = std::string(location.substr(0, location.find('#')));
        return target;
    }
    if (startsWithNoCase(location, "http://") || startsWithNoCase(location, "https://"))
        return parseCalendarAddress(location);
    return {};
}

std::string httpFailureReason(int status, std::string_view statusText)
{
    std::string reason = std::to_string(status);
    if (!statusText.empty()) reason += " " + std::string(statusText);
    return reason;
}

std::string readingFailureMessage(std::string_view name, std::string_view reason)
{
    return "The calendar " + std::string(name) + " could not be read: " + std::string(reason) +
           ". Its events stay as they were.";
}

std::string subscriptionCopyPath(std::string_view address)
{
    uint64_t hash = 0xcbf29ce484222325;  // FNV-1a
    for (unsigned char c : address) hash = (hash ^ c) * 0x100000001b3;
    char name[64];
    std::snprintf(name, sizeof name, "%s\\%016llx.ics", subscriptionCopiesFolder, static_cast<unsigned long long>(hash));
    return name;
}
