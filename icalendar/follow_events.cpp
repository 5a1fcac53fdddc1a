// An import held against the lines placed before: what moves, what goes, what stays the user's.
#include "icalendar/follow_events.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>

#include "icalendar/place_on_days.h"

namespace {

// A calendar kept in step reaches this far ahead, as its repeating events do.
constexpr int reachDays = 365;

using Named = std::pair<std::string, std::string>;  // UID and occurrence

class Follower {
public:
    Follower(const ImportPlan& plan, CalendarLines& record, const SystemTime& today, ZoneRulesForYear zone,
             const FollowSettings& settings)
        : plan_(plan), record_(record), zone_(zone), settings_(settings), today_(dateKey(today)),
          removing_(record.size()), items_(plan.occurrences.size()), placing_(plan.occurrences.size(), true)
    {
        SystemTime last = today;
        stepDate(last, reachDays);
        lastDay_ = dateKey(last);
        follow_.cancelling.assign(record.size(), false);
        for (size_t r = 0; r < record.size(); ++r) {
            rows_[{record[r].uid, record[r].occurrence}].push_back(int(r));
            rowsOfEvent_[record[r].uid].push_back(int(r));
            EventVersion& newest = newest_[record[r].uid];
            if (compareVersions(revisionOf(record[r].version), newest) > 0) newest = revisionOf(record[r].version);
        }
        for (const DayImport& day : plan.days)
            for (const ImportedItem& item : day.items) items_[item.occurrence].push_back({&day, &item});
        for (size_t o = 0; o < plan.occurrences.size(); ++o) occurrencesOf_[plan.occurrences[o].uid].push_back(int(o));
    }

    const std::vector<int>& rowsOf(const std::string& uid) const
    {
        static const std::vector<int> none;
        auto found = rowsOfEvent_.find(uid);
        return found == rowsOfEvent_.end() ? none : found->second;
    }

    FollowPlan follow()
    {
        for (size_t o = 0; o < plan_.occurrences.size(); ++o) followOccurrence(int(o));
        for (const auto& [uid, version] : plan_.series) followSeries(uid, version);
        for (const Cancellation& cancellation : plan_.cancellations) followCancellation(cancellation);
        if (settings_.inStep) takeOffWhatIsNoLongerGiven();
        follow_.tally.older = int(older_.size());
        for (const DayImport& day : plan_.days)
            for (const ImportedItem& item : day.items)
                if (placing_[item.occurrence] && (!settings_.inStep || inWindow(day.date)))
                    dayAt(day.date).items.push_back(item);
        for (auto& [key, day] : days_) {
            follow_.days.push_back(std::move(day));
            follow_.recordOf.push_back(std::move(recordOf_[key]));
        }
        return std::move(follow_);
    }

private:
    struct Placed {
        const DayImport* day;
        const ImportedItem* item;
    };

    // Which part of the event a revision came in does not count here.
    static EventVersion revisionOf(EventVersion version)
    {
        version.replaces = false;
        return version;
    }

    bool inReach(const SystemTime& day) const { return dateKey(day) >= today_; }
    bool inWindow(const SystemTime& day) const { return inReach(day) && dateKey(day) <= lastDay_; }
    bool inReach(int r) const { return inReach(record_[r].day); }
    bool inWindow(int r) const { return inWindow(record_[r].day); }

    DayImport& dayAt(const SystemTime& date)
    {
        DayImport& day = days_[dateKey(date)];
        day.date = {date.wYear, date.wMonth, 0, date.wDay};
        return day;
    }

    void takeOff(int r, bool cancelled)
    {
        if (removing_[r]) return;
        removing_[r] = true;
        follow_.cancelling[r] = cancelled;
        const CalendarLine& row = record_[r];
        dayAt(row.day).takeOff.push_back({row.line, row.text});
        recordOf_[dateKey(row.day)].push_back(r);
    }

    // The lines placed are those the occurrence would place now.
    bool sameLines(const std::vector<int>& rows, int o) const
    {
        if (rows.size() != items_[o].size()) return false;
        return std::all_of(rows.begin(), rows.end(), [&](int r) {
            const CalendarLine& row = record_[r];
            return std::any_of(items_[o].begin(), items_[o].end(), [&](const Placed& placed) {
                const ImportedItem& item = *placed.item;
                return isSameDay(placed.day->date, row.day) &&
                       ((row.text == item.text && row.line == item.scheduleLine) || row.text == item.timedText);
            });
        });
    }

    void followOccurrence(int o)
    {
        const PlannedOccurrence& occurrence = plan_.occurrences[o];
        auto found = rows_.find({occurrence.uid, occurrence.key});
        if (found == rows_.end()) {
            // Not placed before, but a later revision of its event is on the pages.
            auto newest = newest_.find(occurrence.uid);
            if (newest != newest_.end() && compareVersions(revisionOf(occurrence.version), newest->second) < 0) {
                older_.insert({occurrence.uid, occurrence.key});
                placing_[o] = false;
            }
            return;
        }
        const std::vector<int>& rows = found->second;
        const EventVersion* newest = &record_[rows.front()].version;
        for (int r : rows)
            if (compareVersions(record_[r].version, *newest) > 0) newest = &record_[r].version;
        int order = compareVersions(occurrence.version, *newest);
        if (order < 0) {
            older_.insert({occurrence.uid, occurrence.key});
            placing_[o] = false;
            return;
        }
        if (order == 0 || sameLines(rows, o)) {
            for (int r : rows) record_[r].version = occurrence.version;
            follow_.tally.alreadyThere += int(items_[o].size());
            placing_[o] = false;
            return;
        }
        for (int r : rows)
            if (inReach(r)) takeOff(r, false);
        follow_.tally.replacing.insert(o);
    }

    // A newer whole event takes off its lines from today on that it no longer
    // gives; as many as it gives new occurrences count as moved to them.
    void followSeries(const std::string& uid, const EventVersion& version)
    {
        std::set<std::string> given;
        std::vector<int> fresh;
        const std::vector<int>& rows = rowsOf(uid);
        if (rows.empty()) return;
        for (int o : occurrencesOf_[uid]) {
            const PlannedOccurrence& occurrence = plan_.occurrences[o];
            given.insert(occurrence.key);
            if (placing_[o] && !rows_.count({uid, occurrence.key}) && !follow_.tally.replacing.count(o))
                fresh.push_back(o);
        }
        std::vector<std::string> gone;
        std::map<std::string, std::vector<int>> goneRows;
        for (int r : rows) {
            const CalendarLine& row = record_[r];
            if (removing_[r] || !inWindow(r) || given.count(row.occurrence) || compareVersions(version, row.version) <= 0)
                continue;
            if (!goneRows.count(row.occurrence)) gone.push_back(row.occurrence);
            goneRows[row.occurrence].push_back(r);
        }
        for (size_t g = 0; g < gone.size(); ++g) {
            bool moved = g < fresh.size();
            if (moved) follow_.tally.replacing.insert(fresh[g]);
            for (int r : goneRows[gone[g]]) takeOff(r, !moved);
        }
    }

    bool isCancelledBy(const CalendarLine& row, const Cancellation& cancellation) const
    {
        if (row.uid != cancellation.uid) return false;
        if (cancellation.key.empty() || row.occurrence == cancellation.key) return true;
        Minutes from, start;
        return cancellation.thisAndFuture && localStartOfKey(cancellation.key, zone_, from) &&
               localStartOfKey(row.occurrence, zone_, start) && start >= from;
    }

    void followCancellation(const Cancellation& cancellation)
    {
        bool found = false;
        for (int r : rowsOf(cancellation.uid)) {
            const CalendarLine& row = record_[r];
            if (!inReach(r) || !isCancelledBy(row, cancellation)) continue;
            found = true;
            if (compareVersions(revisionOf(cancellation.version), revisionOf(row.version)) < 0)
                older_.insert({row.uid, row.occurrence});
            else
                takeOff(r, true);
        }
        follow_.tally.cancellationsFound += found;
    }

    void takeOffWhatIsNoLongerGiven()
    {
        std::set<Named> given;
        for (const PlannedOccurrence& occurrence : plan_.occurrences) given.insert({occurrence.uid, occurrence.key});
        for (size_t r = 0; r < record_.size(); ++r) {
            const CalendarLine& row = record_[r];
            if (row.subscription == settings_.subscription && inWindow(int(r)) &&
                !given.count({row.uid, row.occurrence}))
                takeOff(int(r), true);
        }
    }

    const ImportPlan& plan_;
    CalendarLines& record_;
    ZoneRulesForYear zone_;
    const FollowSettings& settings_;
    int today_, lastDay_ = 0;
    std::vector<bool> removing_;
    std::vector<std::vector<Placed>> items_;  // by occurrence
    std::vector<bool> placing_;               // by occurrence
    std::map<Named, std::vector<int>> rows_;
    std::unordered_map<std::string, std::vector<int>> rowsOfEvent_, occurrencesOf_;  // by UID
    std::map<std::string, EventVersion> newest_;  // by UID, the latest revision placed
    std::set<Named> older_;
    std::map<int, DayImport> days_;
    std::map<int, std::vector<int>> recordOf_;
    FollowPlan follow_;
};

}  // namespace

std::map<std::string, std::vector<std::string>> placedOccurrences(const CalendarLines& record)
{
    std::map<std::string, std::vector<std::string>> placed;
    for (const CalendarLine& line : record) {
        std::vector<std::string>& keys = placed[line.uid];
        if (std::find(keys.begin(), keys.end(), line.occurrence) == keys.end()) keys.push_back(line.occurrence);
    }
    return placed;
}

FollowPlan followEvents(const ImportPlan& plan, CalendarLines& record, const SystemTime& today,
                        ZoneRulesForYear userZone, const FollowSettings& settings)
{
    return Follower(plan, record, today, userZone, settings).follow();
}

void noteFollowed(FollowPlan& follow, const ImportPlan& plan, CalendarLines& record,
                  const std::vector<DayPlacement>& placements, const FollowSettings& settings)
{
    std::vector<bool> leaving(record.size(), false);
    std::set<Named> takenOff;
    CalendarLines placed;
    for (size_t d = 0; d < follow.days.size(); ++d) {
        const DayImport& day = follow.days[d];
        const DayPlacement& placement = placements[d];
        for (size_t k = 0; k < follow.recordOf[d].size() && k < placement.takenOff.size(); ++k) {
            int r = follow.recordOf[d][k];
            if (placement.takenOff[k] == TakeOff::failed) continue;
            leaving[r] = true;
            if (placement.takenOff[k] == TakeOff::leftChanged) ++follow.tally.leftChanged;
            else if (follow.cancelling[r]) takenOff.insert({record[r].uid, record[r].occurrence});
        }
        tallyDay(follow.tally, day, placement);
        for (size_t i = 0; i < placement.lines.size(); ++i) {
            const ImportedItem& item = day.items[i];
            int line = placement.lines[i];
            if (line < 0) continue;
            const PlannedOccurrence& occurrence = plan.occurrences[item.occurrence];
            placed.push_back({occurrence.uid, occurrence.key, occurrence.version, day.date, line,
                              line == item.scheduleLine ? item.text : item.timedText, settings.subscription});
        }
    }
    follow.tally.takenOff += int(takenOff.size());
    CalendarLines kept;
    for (size_t r = 0; r < record.size(); ++r)
        if (!leaving[r]) kept.push_back(std::move(record[r]));
    for (CalendarLine& line : placed) kept.push_back(std::move(line));
    record = std::move(kept);
}

CalendarImport importCalendar(const CalendarFile& file, const ImportSettings& settings, const FollowSettings& follow,
                              const SystemTime& shown, const std::function<DayPlacement(const DayImport&)>& changeShown,
                              const KeepContext& context)
{
    StoredCalendarLines stored;
    CalendarLines record;
    loadStoredCalendarLines(stored, record);
    std::map<std::string, std::vector<std::string>> placedBefore = placedOccurrences(record);
    ImportSettings withPlaced = settings;
    withPlaced.placedBefore = &placedBefore;
    ImportPlan plan = planImport(file, withPlaced);
    FollowPlan followed = followEvents(plan, record, settings.today, settings.userZone, follow);
    std::vector<DayImport> others;
    for (const DayImport& day : followed.days)
        if (!isSameDay(day.date, shown)) others.push_back(day);
    std::vector<DayPlacement> placedOthers = placeOnOtherDays(others, context);
    std::vector<DayPlacement> placements;
    CalendarImport result;
    size_t other = 0;
    for (const DayImport& day : followed.days) {
        bool isShown = isSameDay(day.date, shown);
        placements.push_back(isShown ? changeShown(day) : placedOthers[other++]);
        const DayPlacement& placement = placements.back();
        bool changed = !placement.placed.empty() ||
                       std::count(placement.takenOff.begin(), placement.takenOff.end(), TakeOff::taken);
        if (!isShown && changed) result.written.push_back(day.date);
    }
    noteFollowed(followed, plan, record, placements, follow);
    CalendarLinesKind kind = calendarLinesKind(stored);
    takeInKept(kind, record, true, context);
    result.summary = importSummary(plan, followed.tally);
    return result;
}
