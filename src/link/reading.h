// The probe reading commands without their windows: the complete reading (header and all
// measures), the partial reading (header and clock, then the measures of a chosen
// interval), stopping a probe, and the arithmetic the reading and interval windows show
// (first stored date, expected count, maintenance notice). The windows and the
// command-line tool run the same sequences and differ only in how they show things.
#pragma once

#include "data/bm2_file.h"
#include "link/probe_download.h"

#include <optional>
#include <string>

namespace talvex {

inline constexpr const char* ConnectQuestion = "Vérifiez que votre sonde est connectée...";
inline constexpr const char* NoMeasuresMessage = "Il n'y a pas de mesures.";
inline constexpr const char* NotEnoughMeasuresMessage = "Il n'y a pas assez de mesures.";
inline constexpr const char* IntervalIncorrectMessage =
    "L'intervalle de temps spécifié est incorrect";
inline constexpr const char* UnsavedReadingQuestion =
    "Les mesures en cours n'ont pas été sauvegardées.\n\rVoulez-vous les sauvegarder avant "
    "la lecture de la sonde ?";
inline constexpr const char* ProbeStoppedMessage =
    "La sonde a été arrêtée.\n\rVous pouvez la déconnecter.";
inline constexpr const char* ProbeNotStoppedMessage =
    "La sonde n'a pas confirmé son arrêt.\n\rRecommencez la commande.";
// A download the probe cut short (the user's Cancel shows nothing).
inline constexpr const char* DownloadStoppedMessage =
    "La lecture des mesures a été interrompue : la réponse de la sonde est incomplète "
    "ou incorrecte.\n\rRecommencez la lecture.";
inline constexpr const char* SearchTimedOutMessage =
    "La sonde n'a envoyé aucune mesure : la recherche a été abandonnée.\n\rRecommencez la lecture.";
// Followed by the system's text.
inline constexpr const char* SerialFailureMessage = "Erreur de communication avec la sonde :";
// Followed by the conversion error's text.
inline constexpr const char* PeriodInvalidMessage =
    "La période d'acquisition de la sonde n'est pas utilisable :";

// "  Prochaine maintenance avant : juin 2020" from entries 38, 39 and 40; month names in
// the language of the menu. Empty when those entries do not hold a date and a number.
std::string maintenance_notice(const ProbeHeader& header, bool english);

// The day of the first stored measure: the probe's clock less `count` periods, truncated to
// its date. Whole minutes, so that no rounding moves it across midnight.
double ProbeFirstDate(double probeClock, long count, long periodMinutes);
// Measures expected between two dates (both days included), nearest integer, halves to even.
long expected_count(double startDay, double endDay, long periodMinutes);
// The interval window's check: not before the first stored day, not after the probe's
// clock, and not ending before it starts.
bool interval_accepted(double startDay, double endDay, double firstDay, double probeClock);

// "dd/mm/yy" of a day, and back. parse_short_date gives nothing for an impossible date.
std::string short_date(double day);
std::optional<double> parse_short_date(std::string_view text);

// What the windows (or the command-line tool) do at the steps of a reading.
struct ReadingHooks {
    NoticeSink notify;
    DownloadView view;
    // The header is in and the measures are about to come: show the reading window with
    // the expected count (a maximum for a partial reading) and the maintenance notice.
    std::function<void(long expected, const std::string& notice, bool partial)> showReadingWindow;
    LinkMessages messages;
    bool english = false;
    DownloadLimits limits;
};

struct ReadingOutcome {
    bool connected = false; // ProbeConnect answered 0
    bool succeeded = false; // the measures are complete in "measure.tmp"
    ProbeHeader header;
    long expected = 0;
    DownloadResult download;
};

// Open the link, connect, "RH", "RF", pause 2 s, disconnect, close the link. Writes the
// working files of `files`. Every failure has been notified when this returns.
ReadingOutcome run_complete_reading(ProbeLink& link, const WorkingFiles& files,
                                    ReadingHooks& hooks);

// First half of a partial reading: connect, "RH", the probe's clock, disconnect.
struct PartialPreparation {
    bool connected = false; // ProbeConnect answered 0: "header.tmp" has been rewritten
    bool ready = false;     // the interval window may be shown
    ProbeHeader header;
    double probeClock = 0;
    double firstDate = 0;
    long period = 0;
    long count = 0;
};
PartialPreparation prepare_partial_reading(ProbeLink& link, const WorkingFiles& files,
                                           ReadingHooks& hooks);

// Second half, once the interval is accepted: connect, "RI", pause 2 s, disconnect.
ReadingOutcome run_interval_reading(ProbeLink& link, const WorkingFiles& files,
                                    const PartialPreparation& prepared, double startDay,
                                    double endDay, ReadingHooks& hooks);

// "SS": stops the probe's acquisition; no "SL" afterwards. True when the probe confirmed.
bool stop_probe(ProbeLink& link, ReadingHooks& hooks);

} // namespace talvex
