#pragma once

#include "langservice/ILanguageOperation.h"
#include "langservice/UnicoreException.h"
#include "platform/system/Text.h"

#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace LangService::Impl {

// One language's operations: case mapping and breaks from the locale, tables and rules from its LangSpec
// class.
template <class Locale, class Language> class LanguageOperation : public ILanguageOperation {
public:
    // An operation over a shared locale and shared language tables; neither may be null.
    LanguageOperation(std::shared_ptr<const Locale> locale, std::shared_ptr<const Language> language)
        : locale_(std::move(locale)), language_(std::move(language)) {}

    int CompareChars(char16_t a, char16_t b) const override {
        // A no-break space sorts as a plain one.
        a = a == u'\u00A0' ? u' ' : a;
        b = b == u'\u00A0' ? u' ' : b;
        if (int byRank = language_->CharRank(a) - language_->CharRank(b); byRank != 0) return byRank;
        return static_cast<int>(locale_->SimpleLower(a)) - static_cast<int>(locale_->SimpleLower(b));
    }

    std::u16string ToLower(std::u16string_view text) const override { return locale_->ToLower(text); }
    std::u16string ToUpper(std::u16string_view text) const override { return locale_->ToUpper(text); }
    std::u16string ToSentenceCase(std::u16string_view text) const override {
        return locale_->ToSentenceCase(text);
    }

    std::u16string FormatDate(double date, int monthOnly) const override {
        const std::chrono::year_month_day calendar = CalendarDay(date);
        return language_->FormatDate(zsys::Decimal(static_cast<unsigned>(calendar.day())),
                                     static_cast<unsigned>(calendar.month()),
                                     zsys::Decimal(static_cast<int>(calendar.year())), monthOnly != 0);
    }

    std::u16string WeekdayShortName(unsigned index) const override {
        if (index > 6) throw unicore::exception("Invalid day index");
        return std::u16string(language_->WeekdayName(index));
    }

    std::u16string FormatSize(std::u16string_view number, unsigned unit) const override {
        if (unit > 3) throw unicore::exception("Invalid category");
        const auto units = language_->SizeUnits();
        if (units.size() <= unit || units[unit].first != unit)
            throw unicore::exception("Unordered category array");
        // The number goes in first, so a "{1}" inside it is taken for the unit's place as well.
        std::u16string text = u"{0} {1}";
        zsys::ReplaceAll(text, u"{0}", number);
        zsys::ReplaceAll(text, u"{1}", units[unit].second);
        return text;
    }

    std::uint16_t WindowsLanguageId() const override { return 0; }

    LangService::PluralCategory PluralCategory(int count) const override { return language_->Plural(count); }

private:
    // Automation dates count days from 1899-12-30 in the integer part; the fraction is the time of day
    // whatever the sign, and a time that rounds to the next second past 23:59:59 belongs to the next day.
    static std::chrono::year_month_day CalendarDay(double date) {
        // The automation range: 100-01-01 to 9999-12-31, which also keeps NaN and infinities out.
        if (!(date > -657435.0 && date < 2958466.0)) throw unicore::exception("Invalid date");
        const double whole = std::trunc(date);
        long day = static_cast<long>(whole);
        if (std::round(std::fabs(date - whole) * 86400.0) >= 86400.0) ++day;
        using namespace std::chrono;
        return year_month_day(sys_days(year(1899) / December / 30) + days(day));
    }

    std::shared_ptr<const Locale> locale_;
    std::shared_ptr<const Language> language_;
};

} // namespace LangService::Impl
