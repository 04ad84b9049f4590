#include "texts/port_texts.h"

#include "texts/language_table.h"

namespace talviro6 {
namespace {

constexpr LanguageTable<PortText, PortTextCount> Texts{{{
    {PortText::PermissionDenied,
     {"This user may not open the device.", "Dieser Benutzer darf das Gerät nicht öffnen.",
      "Cet utilisateur n'a pas le droit d'ouvrir le périphérique.", "Tento uživatel nesmí zařízení otevřít."}},
    {PortText::PermissionDeniedGroup,
     {"This user may not open the device: it belongs to the group %1.",
      "Dieser Benutzer darf das Gerät nicht öffnen: es gehört der Gruppe %1.",
      "Cet utilisateur n'a pas le droit d'ouvrir le périphérique : il appartient au groupe %1.",
      "Tento uživatel nesmí zařízení otevřít: patří skupině %1."}},
    {PortText::FixUdevRuleOnly,
     {"Install the udev rule %1 (it comes with the package) and plug the adapter in again.",
      "Die udev-Regel %1 installieren (sie liegt dem Paket bei) und den Adapter neu einstecken.",
      "Installez la règle udev %1 (fournie avec le paquet) et rebranchez l'adaptateur.",
      "Nainstalujte pravidlo udev %1 (je součástí balíčku) a adaptér znovu připojte."}},
    {PortText::FixUdevRule,
     {"Either install the udev rule %1 (it comes with the package) and plug the adapter in again,",
      "Entweder die udev-Regel %1 installieren (sie liegt dem Paket bei) und den Adapter neu einstecken,",
      "Soit installez la règle udev %1 (fournie avec le paquet) et rebranchez l'adaptateur,",
      "Buď nainstalujte pravidlo udev %1 (je součástí balíčku) a adaptér znovu připojte,"}},
    {PortText::FixGroup,
     {"or add this user to the group (sudo usermod -aG %1 $USER) and log in again.",
      "oder diesen Benutzer in die Gruppe aufnehmen (sudo usermod -aG %1 $USER) und neu anmelden.",
      "soit ajoutez cet utilisateur au groupe (sudo usermod -aG %1 $USER) et reconnectez-vous.",
      "nebo přidejte tohoto uživatele do skupiny (sudo usermod -aG %1 $USER) a znovu se přihlaste."}},
    {PortText::BusyHeldBy,
     {"Another program holds the device: %1. Close it, then try again.",
      "Ein anderes Programm belegt das Gerät: %1. Dieses beenden und erneut versuchen.",
      "Un autre programme occupe le périphérique : %1. Fermez-le, puis réessayez.",
      "Zařízení používá jiný program: %1. Ukončete jej a zkuste to znovu."}},
    {PortText::BusyUnseen,
     {"Another program holds the device, one this user cannot see (another user's or the system's).",
      "Ein anderes Programm belegt das Gerät, eines, das dieser Benutzer nicht sieht (eines anderen Benutzers oder "
      "des Systems).",
      "Un autre programme occupe le périphérique, invisible pour cet utilisateur (d'un autre utilisateur ou du "
      "système).",
      "Zařízení používá jiný program, který tento uživatel nevidí (jiného uživatele nebo systému)."}},
    {PortText::MissingPresent,
     {"The device is not there. Serial devices present now: %1",
      "Das Gerät ist nicht vorhanden. Jetzt vorhandene serielle Geräte: %1",
      "Le périphérique est absent. Périphériques série présents : %1",
      "Zařízení není k dispozici. Nyní dostupná sériová zařízení: %1"}},
    {PortText::MissingNoneFound,
     {"The device is not there: no serial devices found.",
      "Das Gerät ist nicht vorhanden: keine seriellen Geräte gefunden.",
      "Le périphérique est absent : aucun périphérique série trouvé.",
      "Zařízení není k dispozici: nenalezeno žádné sériové zařízení."}},
}}};
static_assert(Texts.inEntryOrder(), "one row per entry, in the order of the enum");

} // namespace

std::string_view portText(PortText text, int languageIndex)
{
    return Texts.text(text, languageIndex);
}

} // namespace talviro6
