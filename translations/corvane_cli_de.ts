<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>cli::AdapterCommands</name>
    <message>
        <source>corvane: the driver stopped answering
</source>
        <translation>corvane: der Treiber antwortet nicht mehr
</translation>
    </message>
    <message>
        <source>corvane: no adapter found (no %1 or %2 service in %3)
</source>
        <translation>corvane: kein Adapter gefunden (kein Dienst %1 oder %2 in %3)
</translation>
    </message>
    <message>
        <source>Link state</source>
        <translation>Verbindungsstatus</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>BSSID</source>
        <translation>BSSID</translation>
    </message>
    <message>
        <source>Network type</source>
        <translation>Netzwerktyp</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Link quality</source>
        <translation>Verbindungsqualität</translation>
    </message>
    <message>
        <source>Waiting for the driver</source>
        <translation>Warten auf den Treiber</translation>
    </message>
    <message>
        <source>corvane: the card could not be initialised
</source>
        <translation>corvane: die Karte konnte nicht initialisiert werden
</translation>
    </message>
    <message>
        <source>Card initialised: country region 0x%1, channels%2, radio %3
</source>
        <translation>Karte initialisiert: Länderregion 0x%1, Kanäle%2, Funk %3
</translation>
    </message>
    <message>
        <source>on</source>
        <translation>ein</translation>
    </message>
    <message>
        <source>off</source>
        <translation>aus</translation>
    </message>
</context>
<context>
    <name>cli::ExchangeCommands</name>
    <message>
        <source>usage: corvane profiles share NAME|INDEX [--show-keys] [--png FILE]
</source>
        <translation>Aufruf: corvane profiles share NAME|INDEX [--show-keys] [--png FILE]
</translation>
    </message>
    <message>
        <source>corvane: the QR code of %1 holds the network&apos;s key, so it is shown only when asked for:
  %2
</source>
        <translation>corvane: der QR-Code von %1 enthält den Schlüssel des Netzwerks und wird daher nur auf ausdrücklichen Wunsch angezeigt:
  %2
</translation>
    </message>
    <message>
        <source>corvane: the text does not fit in a QR code
</source>
        <translation>corvane: der Text passt nicht in einen QR-Code
</translation>
    </message>
    <message>
        <source>corvane: %1 could not be written
</source>
        <translation>corvane: %1 konnte nicht geschrieben werden
</translation>
    </message>
    <message>
        <source>corvane: the QR code is in %1
</source>
        <translation>corvane: der QR-Code steht in %1
</translation>
    </message>
    <message>
        <source>usage: corvane profiles export FILE
</source>
        <translation>Aufruf: corvane profiles export FILE
</translation>
    </message>
    <message>
        <source>Exported %1 profile to %2
</source>
        <translation>%1 Profil nach %2 exportiert
</translation>
    </message>
    <message>
        <source>Exported %1 profiles to %2
</source>
        <translation>%1 Profile nach %2 exportiert
</translation>
    </message>
    <message>
        <source>usage: corvane profiles import FILE... [--replace]
</source>
        <translation>Aufruf: corvane profiles import FILE... [--replace]
</translation>
    </message>
    <message>
        <source>corvane: %1; nothing was imported
</source>
        <translation>corvane: %1; es wurde nichts importiert
</translation>
    </message>
    <message>
        <source>%1 imported, %2 skipped
</source>
        <translation>%1 importiert, %2 übersprungen
</translation>
    </message>
    <message>
        <source>corvane: the profiles could not be saved in %1; nothing was imported
</source>
        <translation>corvane: die Profile konnten nicht in %1 gespeichert werden; es wurde nichts importiert
</translation>
    </message>
    <message>
        <source>corvane: nothing was imported
</source>
        <translation>corvane: es wurde nichts importiert
</translation>
    </message>
</context>
<context>
    <name>cli::Guards</name>
    <message>
        <source>corvane: waiting for another corvane command to finish
</source>
        <translation>corvane: warte, bis ein anderer corvane-Befehl fertig ist
</translation>
    </message>
    <message>
        <source>corvane: another corvane command still holds the adapter
</source>
        <translation>corvane: ein anderer corvane-Befehl belegt den Adapter noch
</translation>
    </message>
    <message>
        <source>corvane: the driver stopped answering
</source>
        <translation>corvane: der Treiber antwortet nicht mehr
</translation>
    </message>
</context>
<context>
    <name>cli::KeyOptions</name>
    <message>
        <source>%1 takes N=KEY with N from 1 to 4</source>
        <translation>%1 erwartet N=KEY mit N von 1 bis 4</translation>
    </message>
    <message>
        <source>key %1 given twice</source>
        <translation>Schlüssel %1 doppelt angegeben</translation>
    </message>
    <message>
        <source>--auth does not apply to join</source>
        <translation>--auth gilt nicht für join</translation>
    </message>
    <message>
        <source>--auth takes open, shared, wpa-psk or wpa2-psk</source>
        <translation>--auth erwartet open, shared, wpa-psk oder wpa2-psk</translation>
    </message>
    <message>
        <source>--shared contradicts --auth %1</source>
        <translation>--shared widerspricht --auth %1</translation>
    </message>
    <message>
        <source>--shared applies only to a WEP network</source>
        <translation>--shared gilt nur für ein WEP-Netzwerk</translation>
    </message>
    <message>
        <source>an ad hoc network offers only Open authentication</source>
        <translation>ein Ad-hoc-Netzwerk bietet nur die Authentifizierung Open</translation>
    </message>
    <message>
        <source>--cipher applies only to a WPA-PSK or WPA2-PSK network</source>
        <translation>--cipher gilt nur für ein WPA-PSK- oder WPA2-PSK-Netzwerk</translation>
    </message>
    <message>
        <source>--cipher takes tkip or aes</source>
        <translation>--cipher erwartet tkip oder aes</translation>
    </message>
    <message>
        <source>that encryption is not offered</source>
        <translation>diese Verschlüsselung wird nicht angeboten</translation>
    </message>
    <message>
        <source>this network takes a pre-shared key, not WEP keys</source>
        <translation>dieses Netzwerk verwendet einen Pre-Shared Key, keine WEP-Schlüssel</translation>
    </message>
    <message>
        <source>this network takes no pre-shared key</source>
        <translation>dieses Netzwerk verwendet keinen Pre-Shared Key</translation>
    </message>
    <message>
        <source>this network takes no keys</source>
        <translation>dieses Netzwerk verwendet keine Schlüssel</translation>
    </message>
    <message>
        <source>--wep-default takes 1 to 4</source>
        <translation>--wep-default erwartet 1 bis 4</translation>
    </message>
</context>
<context>
    <name>cli::Options</name>
    <message>
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
    <message>
        <source>%1 given twice</source>
        <translation>%1 doppelt angegeben</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 braucht einen Wert</translation>
    </message>
    <message>
        <source>missing argument</source>
        <translation>Argument fehlt</translation>
    </message>
    <message>
        <source>unexpected argument %1</source>
        <translation>unerwartetes Argument %1</translation>
    </message>
</context>
<context>
    <name>cli::PaneCommands</name>
    <message>
        <source>usage: corvane advanced [--json]
       corvane advanced set [--wireless-mode 2.4G|5G|2.4+5G] [--tx-rate TEXT]
                            [--bg-protection 0|1|2|auto|on|off] [--tx-burst on|off]
</source>
        <translation>Aufruf: corvane advanced [--json]
        corvane advanced set [--wireless-mode 2.4G|5G|2.4+5G] [--tx-rate TEXT]
                             [--bg-protection 0|1|2|auto|on|off] [--tx-burst on|off]
</translation>
    </message>
    <message>
        <source>on</source>
        <translation>ein</translation>
    </message>
    <message>
        <source>off</source>
        <translation>aus</translation>
    </message>
    <message>
        <source>(offered: %1)</source>
        <translation>(angeboten: %1)</translation>
    </message>
    <message>
        <source>Wireless mode</source>
        <translation>Funkmodus</translation>
    </message>
    <message>
        <source>Tx rate</source>
        <translation>Senderate</translation>
    </message>
    <message>
        <source>BG protection</source>
        <translation>BG-Schutz</translation>
    </message>
    <message>
        <source>Tx burst</source>
        <translation>Tx-Burst</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Funk</translation>
    </message>
    <message>
        <source>nothing to set</source>
        <translation>nichts einzustellen</translation>
    </message>
    <message>
        <source>--bg-protection takes 0 (Auto), 1 (On) or 2 (Off)</source>
        <translation>--bg-protection erwartet 0 (Auto), 1 (On) oder 2 (Off)</translation>
    </message>
    <message>
        <source>--tx-burst takes on or off</source>
        <translation>--tx-burst erwartet on oder off</translation>
    </message>
    <message>
        <source>corvane advanced set: this adapter offers the wireless modes %1
</source>
        <translation>corvane advanced set: dieser Adapter bietet die Funkmodi %1
</translation>
    </message>
    <message>
        <source>corvane advanced set: this adapter chooses its own transmit rate and BG protection
</source>
        <translation>corvane advanced set: dieser Adapter wählt Senderate und BG-Schutz selbst
</translation>
    </message>
    <message>
        <source>corvane advanced set: in this wireless mode the rates are %1
</source>
        <translation>corvane advanced set: in diesem Funkmodus gibt es die Raten %1
</translation>
    </message>
    <message>
        <source>corvane advanced set: a 5 GHz mode uses no BG protection
</source>
        <translation>corvane advanced set: ein 5-GHz-Modus verwendet keinen BG-Schutz
</translation>
    </message>
    <message>
        <source>Scanning</source>
        <translation>Suche läuft</translation>
    </message>
    <message>
        <source>corvane: the settings could not be written to %1
</source>
        <translation>corvane: die Einstellungen konnten nicht in %1 geschrieben werden
</translation>
    </message>
    <message>
        <source>corvane radio: %1
usage: corvane radio on|off
</source>
        <translation>corvane radio: %1
Aufruf: corvane radio on|off
</translation>
    </message>
    <message>
        <source>say on or off</source>
        <translation>on oder off angeben</translation>
    </message>
    <message>
        <source>corvane: the adapter did not take the radio switch
</source>
        <translation>corvane: der Adapter hat das Schalten des Funks nicht übernommen
</translation>
    </message>
    <message>
        <source>Radio on
</source>
        <translation>Funk ein
</translation>
    </message>
    <message>
        <source>Radio off
</source>
        <translation>Funk aus
</translation>
    </message>
    <message>
        <source>corvane about: %1
usage: corvane about [--json]
</source>
        <translation>corvane about: %1
Aufruf: corvane about [--json]
</translation>
    </message>
    <message>
        <source>Driver version</source>
        <translation>Treiberversion</translation>
    </message>
    <message>
        <source>EEPROM version</source>
        <translation>EEPROM-Version</translation>
    </message>
    <message>
        <source>MAC address</source>
        <translation>MAC-Adresse</translation>
    </message>
    <message>
        <source>Utility version</source>
        <translation>Programmversion</translation>
    </message>
</context>
<context>
    <name>cli::ProfileCommands</name>
    <message>
        <source>%1 (ad hoc)</source>
        <translation>%1 (Ad-hoc)</translation>
    </message>
    <message>
        <source>corvane %1: %2 is no profile number (1, 2, ...)
</source>
        <translation>corvane %1: %2 ist keine Profilnummer (1, 2, ...)
</translation>
    </message>
    <message>
        <source>corvane: no stored profile named or numbered &quot;%1&quot;
</source>
        <translation>corvane: kein gespeichertes Profil mit dem Namen oder der Nummer „%1“
</translation>
    </message>
    <message>
        <source>Associating</source>
        <translation>Verbindung wird hergestellt</translation>
    </message>
    <message>
        <source>Connected to %1
</source>
        <translation>Verbunden mit %1
</translation>
    </message>
    <message>
        <source>Not connected to %1
</source>
        <translation>Nicht verbunden mit %1
</translation>
    </message>
    <message>
        <source>usage: corvane psk SSID PASSPHRASE|-
</source>
        <translation>Aufruf: corvane psk SSID PASSPHRASE|-
</translation>
    </message>
    <message>
        <source>corvane: the SSID is %1 bytes long; at most 32 are allowed
</source>
        <translation>corvane: die SSID ist %1 Byte lang; höchstens 32 sind erlaubt
</translation>
    </message>
    <message>
        <source>corvane: no stored profiles
</source>
        <translation>corvane: keine gespeicherten Profile
</translation>
    </message>
    <message>
        <source>corvane: the profile was changed or deleted by another program
</source>
        <translation>corvane: das Profil wurde von einem anderen Programm geändert oder gelöscht
</translation>
    </message>
    <message>
        <source>corvane: the active profile could not be saved in %1; not connecting
</source>
        <translation>corvane: das aktive Profil konnte nicht in %1 gespeichert werden; keine Verbindung
</translation>
    </message>
    <message>
        <source>corvane: the active profile could not be marked inactive in %1; not disconnecting
</source>
        <translation>corvane: das aktive Profil konnte in %1 nicht als inaktiv markiert werden; Verbindung bleibt bestehen
</translation>
    </message>
    <message>
        <source>Disconnected
</source>
        <translation>Getrennt
</translation>
    </message>
</context>
<context>
    <name>cli::ProfileEditCommands</name>
    <message>
        <source>usage: corvane profiles add BSSID [--name NAME] [--ssid TEXT] [key options]
       corvane profiles add --ssid TEXT [--adhoc [--channel N]] [--name NAME] [key options]
key options: [--auth open|shared|wpa-psk|wpa2-psk] [--passphrase TEXT|-] [--cipher tkip|aes]
             [--wep-hex N=KEY]... [--wep-ascii N=KEY]... [--wep-default N] [--shared]
</source>
        <translation>Aufruf: corvane profiles add BSSID [--name NAME] [--ssid TEXT] [Schlüsseloptionen]
        corvane profiles add --ssid TEXT [--adhoc [--channel N]] [--name NAME] [Schlüsseloptionen]
Schlüsseloptionen: [--auth open|shared|wpa-psk|wpa2-psk] [--passphrase TEXT|-] [--cipher tkip|aes]
                   [--wep-hex N=KEY]... [--wep-ascii N=KEY]... [--wep-default N] [--shared]
</translation>
    </message>
    <message>
        <source>--adhoc and --channel are for a network typed in, not one from the scan</source>
        <translation>--adhoc und --channel gelten für ein eingegebenes Netzwerk, nicht für eines aus der Suche</translation>
    </message>
    <message>
        <source>give a BSSID from the scan, or --ssid</source>
        <translation>eine BSSID aus der Suche oder --ssid angeben</translation>
    </message>
    <message>
        <source>--channel needs --adhoc</source>
        <translation>--channel braucht --adhoc</translation>
    </message>
    <message>
        <source>--ssid needs a name</source>
        <translation>--ssid braucht einen Namen</translation>
    </message>
    <message>
        <source>an SSID has at most 32 bytes</source>
        <translation>eine SSID hat höchstens 32 Byte</translation>
    </message>
    <message>
        <source>%1 is no BSSID (AA:BB:CC:DD:EE:FF)</source>
        <translation>%1 ist keine BSSID (AA:BB:CC:DD:EE:FF)</translation>
    </message>
    <message>
        <source>channel %1 is not in the card&apos;s plan</source>
        <translation>Kanal %1 ist nicht im Kanalplan der Karte</translation>
    </message>
    <message>
        <source>Added profile %1: %2 (%3)
</source>
        <translation>Profil %1 hinzugefügt: %2 (%3)
</translation>
    </message>
    <message>
        <source>corvane profiles delete: %1
usage: corvane profiles delete NAME|INDEX
</source>
        <translation>corvane profiles delete: %1
Aufruf: corvane profiles delete NAME|INDEX
</translation>
    </message>
    <message>
        <source>corvane: another program holds the preference files
</source>
        <translation>corvane: ein anderes Programm belegt die Einstellungsdateien
</translation>
    </message>
    <message>
        <source>corvane: the preference files could not be written; nothing was deleted
</source>
        <translation>corvane: die Einstellungsdateien konnten nicht geschrieben werden; es wurde nichts gelöscht
</translation>
    </message>
    <message>
        <source>Deleted profile %1
</source>
        <translation>Profil %1 gelöscht
</translation>
    </message>
    <message>
        <source>Disconnected
</source>
        <translation>Getrennt
</translation>
    </message>
</context>
<context>
    <name>cli::Progress</name>
    <message>
        <source>%1... %2 s </source>
        <translation>%1 ... %2 s </translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>Warten</translation>
    </message>
</context>
<context>
    <name>cli::QrJoinCommand</name>
    <message>
        <source>usage: corvane join --qr TEXT|-
</source>
        <translation>Aufruf: corvane join --qr TEXT|-
</translation>
    </message>
</context>
<context>
    <name>cli::StatusWatch</name>
    <message>
        <source>usage: corvane status [--json]
       corvane status --watch [SECONDS]
</source>
        <translation>Aufruf: corvane status [--json]
        corvane status --watch [SECONDS]
</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>  (network changed)</source>
        <translation>  (Netzwerk gewechselt)</translation>
    </message>
    <message>
        <source>unexpected argument %1</source>
        <translation>unerwartetes Argument %1</translation>
    </message>
    <message>
        <source>SECONDS must be a whole number of seconds from 1: %1</source>
        <translation>SECONDS muss eine ganze Zahl von Sekunden ab 1 sein: %1</translation>
    </message>
    <message>
        <source>--watch prints lines, not --json</source>
        <translation>--watch gibt Zeilen aus, kein --json</translation>
    </message>
</context>
<context>
    <name>cli::SurveyCommands</name>
    <message>
        <source>Scanning</source>
        <translation>Suche läuft</translation>
    </message>
    <message>
        <source>corvane: no network with BSSID %1 in range
</source>
        <translation>corvane: kein Netzwerk mit der BSSID %1 in Reichweite
</translation>
    </message>
    <message>
        <source>corvane: the active profile could not be marked inactive in %1; not joining
</source>
        <translation>corvane: das aktive Profil konnte in %1 nicht als inaktiv markiert werden; keine Verbindung
</translation>
    </message>
    <message>
        <source>corvane: the adapter went away during the scan
</source>
        <translation>corvane: der Adapter ist während der Suche verschwunden
</translation>
    </message>
    <message>
        <source>(hidden)</source>
        <translation>(verborgen)</translation>
    </message>
    <message>
        <source>ch %1</source>
        <translation>Kanal %1</translation>
    </message>
    <message>
        <source>usage: corvane join BSSID [--passphrase TEXT|-] [--cipher tkip|aes] [--wep-hex N=KEY]...
                   [--wep-ascii N=KEY]... [--wep-default N] [--shared]
</source>
        <translation>Aufruf: corvane join BSSID [--passphrase TEXT|-] [--cipher tkip|aes] [--wep-hex N=KEY]...
                    [--wep-ascii N=KEY]... [--wep-default N] [--shared]
</translation>
    </message>
    <message>
        <source>corvane join: %1 is no BSSID (AA:BB:CC:DD:EE:FF)
</source>
        <translation>corvane join: %1 ist keine BSSID (AA:BB:CC:DD:EE:FF)
</translation>
    </message>
    <message>
        <source>corvane join: %1 is an open network; %2 does not apply
</source>
        <translation>corvane join: %1 ist ein offenes Netzwerk; %2 gilt hier nicht
</translation>
    </message>
    <message>
        <source>1 access point</source>
        <translation>1 Zugangspunkt</translation>
    </message>
    <message>
        <source>%1 access points</source>
        <translation>%1 Zugangspunkte</translation>
    </message>
    <message>
        <source>corvane scan: %1
usage: corvane scan [--group] [--json]
</source>
        <translation>corvane scan: %1
Aufruf: corvane scan [--group] [--json]
</translation>
    </message>
</context>
<context>
    <name>cli::main</name>
    <message>
        <source>corvane connect NAME|INDEX   (-- before a name that begins with -)</source>
        <translation>corvane connect NAME|INDEX   (-- vor einem Namen, der mit - beginnt)</translation>
    </message>
    <message>
        <source>corvane: unknown option %1
</source>
        <translation>corvane: unbekannte Option %1
</translation>
    </message>
    <message>
        <source>corvane: unknown command %1
</source>
        <translation>corvane: unbekannter Befehl %1
</translation>
    </message>
    <message>
        <source>%1 needs %2</source>
        <translation>%1 braucht %2</translation>
    </message>
    <message>
        <source>corvane %1: %2
usage: %3
</source>
        <translation>corvane %1: %2
Aufruf: %3
</translation>
    </message>
    <message>
        <source>usage: corvane [--trace] COMMAND [ARGS]

  status [--json]            link state, network, BSSID, type, channel, link quality
  status --watch [SECONDS]   link state and link quality figures of the last 5 minutes,
                             a line a second until interrupted or for SECONDS seconds
  scan [--group] [--json]    scan and list the networks in range with their security;
                             --group: one line per network, its access points below
  join BSSID [key options]   connect to a network in range, as the site survey&apos;s Connect
  join --qr TEXT|-           connect to the network a Wi-Fi QR text names (- reads it)
  init                       initialise the card (driver wait, EEPROM, region, radio)
  psk SSID PASSPHRASE|-      the 32-byte pre-shared key as 64 hex digits
  profiles [--json [--show-keys]]
                             the stored profiles
  profiles add BSSID|--ssid TEXT [options]
                             store a new profile, as the profile editor&apos;s OK
  profiles delete NAME|INDEX delete a stored profile
  profiles share NAME|INDEX [--show-keys] [--png FILE]
                             the profile as the Wi-Fi QR code phones read
  profiles export FILE       the stored profiles to a property list
  profiles import FILE... [--replace]
                             profiles from a property list, a wpa_supplicant
                             configuration or NetworkManager keyfiles
  connect NAME|INDEX         activate a stored profile and wait for the association
  disconnect                 drop the association and mark the active profile inactive
  radio on|off               switch the radio, as the advanced page&apos;s radio switch
  advanced [--json]          the advanced settings and the choices this adapter offers
  advanced set [--wireless-mode 2.4G|5G|2.4+5G] [--tx-rate TEXT] [--bg-protection N]
               [--tx-burst on|off]
                             store them and reconnect, as the advanced page&apos;s Apply
  about [--json]             driver, EEPROM and utility versions, MAC address

key options: --passphrase TEXT|- (- reads standard input), --cipher tkip|aes,
  --wep-hex N=KEY, --wep-ascii N=KEY (N 1..4, repeatable), --wep-default N, --shared

Exit status: 0 done; 1 no adapter, no such network or profile, refused, not connected;
2 bad usage or a key the rules refuse.
The adapter is found through the service registry folder (CORVANE_IOREGISTRY).
</source>
        <translation>Aufruf: corvane [--trace] BEFEHL [ARGUMENTE]

  status [--json]            Verbindungsstatus, Netzwerk, BSSID, Typ, Kanal,
                             Verbindungsqualität
  status --watch [SECONDS]   Verbindungsstatus und Kennzahlen der Verbindungsqualität
                             der letzten 5 Minuten, eine Zeile pro Sekunde bis zum
                             Abbruch oder SECONDS Sekunden lang
  scan [--group] [--json]    Netzwerke in Reichweite suchen und mit ihrer Sicherheit
                             auflisten; --group: eine Zeile pro Netzwerk, seine
                             Zugangspunkte darunter
  join BSSID [Schlüsseloptionen]
                             mit einem Netzwerk in Reichweite verbinden, wie „Verbinden“
                             in der Netzwerksuche
  join --qr TEXT|-           mit dem Netzwerk verbinden, das ein WLAN-QR-Text nennt
                             (- liest ihn ein)
  init                       die Karte initialisieren (Warten auf den Treiber, EEPROM,
                             Region, Funk)
  psk SSID PASSPHRASE|-      der 32-Byte-Pre-Shared-Key als 64 Hexadezimalziffern
  profiles [--json [--show-keys]]
                             die gespeicherten Profile
  profiles add BSSID|--ssid TEXT [Optionen]
                             ein neues Profil speichern, wie „OK“ im Profileditor
  profiles delete NAME|INDEX ein gespeichertes Profil löschen
  profiles share NAME|INDEX [--show-keys] [--png FILE]
                             das Profil als WLAN-QR-Code, wie ihn Telefone lesen
  profiles export FILE       die gespeicherten Profile in eine Property-List schreiben
  profiles import FILE... [--replace]
                             Profile aus einer Property-List, einer
                             wpa_supplicant-Konfiguration oder NetworkManager-Keyfiles
  connect NAME|INDEX         ein gespeichertes Profil aktivieren und auf die Verbindung
                             warten
  disconnect                 die Verbindung trennen und das aktive Profil als inaktiv
                             markieren
  radio on|off               den Funk schalten, wie der Funkschalter der erweiterten
                             Seite
  advanced [--json]          die erweiterten Einstellungen und die Auswahl, die dieser
                             Adapter bietet
  advanced set [--wireless-mode 2.4G|5G|2.4+5G] [--tx-rate TEXT] [--bg-protection N]
               [--tx-burst on|off]
                             speichern und neu verbinden, wie „Übernehmen“ auf der
                             erweiterten Seite
  about [--json]             Treiber-, EEPROM- und Programmversion, MAC-Adresse

Schlüsseloptionen: --passphrase TEXT|- (- liest die Standardeingabe), --cipher tkip|aes,
  --wep-hex N=KEY, --wep-ascii N=KEY (N 1..4, wiederholbar), --wep-default N, --shared

Exit-Status: 0 erledigt; 1 kein Adapter, kein solches Netzwerk oder Profil, abgelehnt,
nicht verbunden; 2 falscher Aufruf oder ein Schlüssel, den die Regeln ablehnen.
Der Adapter wird über den Ordner der Dienstregistrierung gefunden (CORVANE_IOREGISTRY).
</translation>
    </message>
</context>
</TS>
