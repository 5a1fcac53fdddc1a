// Calendars the user subscribes to by address: the list every computer of the folder shares, and the rules
// for reading one over the network.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct IniFile;

struct Subscription {
    std::string name;
    std::string address;
};

constexpr const char* subscriptionsPath = ".\\subscriptions.ini";
// A last good copy of each calendar is kept here, so a start without the network still has it.
constexpr const char* subscriptionCopiesFolder = ".\\Subscriptions";
constexpr int maxSubscriptions = 100;

// Sections SUBSCRIPTION_0 to SUBSCRIPTION_99 in number order; a gap or a section
// without a name or an address is passed over, as in the directory files.
std::vector<Subscription> readSubscriptions(const IniFile& ini);
std::string composeSubscriptions(const std::vector<Subscription>& subscriptions);

// Where a calendar is read from: a web address (webcal:// is read over https)
// or the path of a file, such as an .ics in a synced folder.
struct CalendarAddress {
    enum Kind { web, file, invalid } kind = invalid;
    bool secure = false;
    std::string host;
    int port = 0;
    std::string path;  // of the request on the server, or of the file
};
CalendarAddress parseCalendarAddress(std::string_view address);

constexpr int maxRedirects = 5;
// A redirect is followed within the web, and never from https to http.
bool mayRedirect(const CalendarAddress& from, const CalendarAddress& to);
// A Location header: an absolute address, or a path on the same server.
CalendarAddress redirectTarget(const CalendarAddress& from, std::string_view location);

// Why a reading failed, as told once per subscription until it reads again.
std::string httpFailureReason(int status, std::string_view statusText);
std::string readingFailureMessage(std::string_view name, std::string_view reason);

// The file the last good copy of a calendar is kept in, named by a hash of its
// address: two computers reading one address keep one copy, whatever its name.
std::string subscriptionCopyPath(std::string_view address);
