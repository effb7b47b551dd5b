<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>AboutController</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>&lt;b&gt;Corvane Wireless Utility&lt;/b&gt;</source>
        <translation>&lt;b&gt;Corvane Wireless Utility&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Versions</source>
        <translation>Versionen</translation>
    </message>
    <message>
        <source>&amp;Driver version:</source>
        <translation>&amp;Treiberversion:</translation>
    </message>
    <message>
        <source>Driver version</source>
        <translation>Treiberversion</translation>
    </message>
    <message>
        <source>&amp;EEPROM version:</source>
        <translation>&amp;EEPROM-Version:</translation>
    </message>
    <message>
        <source>EEPROM version</source>
        <translation>EEPROM-Version</translation>
    </message>
    <message>
        <source>&amp;MAC address:</source>
        <translation>&amp;MAC-Adresse:</translation>
    </message>
    <message>
        <source>MAC address</source>
        <translation>MAC-Adresse</translation>
    </message>
    <message>
        <source>&amp;Utility version:</source>
        <translation>&amp;Programmversion:</translation>
    </message>
    <message>
        <source>Utility version</source>
        <translation>Programmversion</translation>
    </message>
</context>
<context>
    <name>AccessPoint</name>
    <message>
        <source>Open</source>
        <translation>Offen</translation>
    </message>
    <message>
        <source>Open/Shared</source>
        <translation>Offen/Gemeinsam</translation>
    </message>
    <message>
        <source>Not Used</source>
        <translation>Nicht verwendet</translation>
    </message>
    <message>
        <source>Ad Hoc</source>
        <translation>Ad-hoc</translation>
    </message>
    <message>
        <source>Infrastructure</source>
        <translation>Infrastruktur</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
</context>
<context>
    <name>AccessPointModel</name>
    <message>
        <source>SSID</source>
        <translation>SSID</translation>
    </message>
    <message>
        <source>BSSID</source>
        <translation>BSSID</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>Signal</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>Authentifizierung</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>Verschlüsselung</translation>
    </message>
    <message>
        <source>Network Type</source>
        <translation>Netzwerktyp</translation>
    </message>
</context>
<context>
    <name>AdvanceController</name>
    <message>
        <source>Advanced</source>
        <translation>Erweitert</translation>
    </message>
    <message>
        <source>Radio settings</source>
        <translation>Funkeinstellungen</translation>
    </message>
    <message>
        <source>&amp;Wireless mode:</source>
        <translation>&amp;Funkmodus:</translation>
    </message>
    <message>
        <source>Wireless mode</source>
        <translation>Funkmodus</translation>
    </message>
    <message>
        <source>Tx &amp;rate:</source>
        <translation>Sende&amp;rate:</translation>
    </message>
    <message>
        <source>Tx rate</source>
        <translation>Senderate</translation>
    </message>
    <message>
        <source>&amp;BG protection:</source>
        <translation>&amp;BG-Schutz:</translation>
    </message>
    <message>
        <source>BG protection</source>
        <translation>BG-Schutz</translation>
    </message>
    <message>
        <source>Tx b&amp;urst</source>
        <translation>Sende-B&amp;urst</translation>
    </message>
    <message>
        <source>The stored ad hoc setting, shown for information</source>
        <translation>Die gespeicherte Ad-hoc-Einstellung, zur Information angezeigt</translation>
    </message>
    <message>
        <source>Ad hoc networks use OFDM rates</source>
        <translation>Ad-hoc-Netzwerke verwenden OFDM-Raten</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Funk</translation>
    </message>
    <message>
        <source>The radio is on</source>
        <translation>Der Funk ist eingeschaltet</translation>
    </message>
    <message>
        <source>Radio Off</source>
        <translation>Funk aus</translation>
    </message>
    <message>
        <source>Maker&apos;s logo</source>
        <translation>Herstellerlogo</translation>
    </message>
    <message>
        <source>Tessel logo</source>
        <translation>Tessel-Logo</translation>
    </message>
    <message>
        <source>Corvane logo</source>
        <translation>Corvane-Logo</translation>
    </message>
    <message>
        <source>The advanced settings could not be saved.</source>
        <translation>Die erweiterten Einstellungen konnten nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Check that your Library/Preferences folder can be written, then press Apply again.</source>
        <translation>Prüfen Sie, ob Ihr Ordner Library/Preferences beschreibbar ist, und klicken Sie dann erneut auf Übernehmen.</translation>
    </message>
</context>
<context>
    <name>AdvancedSettings</name>
    <message>
        <source>Auto</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Radio On</source>
        <translation>Funk ein</translation>
    </message>
    <message>
        <source>Radio Off</source>
        <translation>Funk aus</translation>
    </message>
</context>
<context>
    <name>CurrentWirelessNetworkController</name>
    <message>
        <source>Link status</source>
        <translation>Verbindungsstatus</translation>
    </message>
    <message>
        <source>Current wireless network</source>
        <translation>Aktuelles Funknetzwerk</translation>
    </message>
    <message>
        <source>Network &amp;name:</source>
        <translation>Netzwerk&amp;name:</translation>
    </message>
    <message>
        <source>Network name</source>
        <translation>Netzwerkname</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Network &amp;type:</source>
        <translation>Netzwerk&amp;typ:</translation>
    </message>
    <message>
        <source>Network type</source>
        <translation>Netzwerktyp</translation>
    </message>
    <message>
        <source>&amp;Link state:</source>
        <translation>&amp;Verbindungszustand:</translation>
    </message>
    <message>
        <source>Link state</source>
        <translation>Verbindungszustand</translation>
    </message>
    <message>
        <source>No connection</source>
        <translation>Keine Verbindung</translation>
    </message>
    <message>
        <source>&amp;Channel:</source>
        <translation>&amp;Kanal:</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>&amp;BSSID:</source>
        <translation>&amp;BSSID:</translation>
    </message>
    <message>
        <source>BSSID</source>
        <translation>BSSID</translation>
    </message>
    <message>
        <source>Link &amp;quality:</source>
        <translation>Verbindungs&amp;qualität:</translation>
    </message>
    <message>
        <source>Link quality</source>
        <translation>Verbindungsqualität</translation>
    </message>
    <message>
        <source>%p%</source>
        <translation>%p %</translation>
    </message>
    <message>
        <source>No wireless connection</source>
        <translation>Keine Funkverbindung</translation>
    </message>
    <message>
        <source>Open Profile Drawer</source>
        <translation>Profilleiste öffnen</translation>
    </message>
    <message>
        <source>Close Profile Drawer</source>
        <translation>Profilleiste schließen</translation>
    </message>
</context>
<context>
    <name>HiddenSSIDController</name>
    <message>
        <source>Connect to Hidden Network</source>
        <translation>Mit verstecktem Netzwerk verbinden</translation>
    </message>
    <message>
        <source>Network &amp;name (SSID):</source>
        <translation>Netzwerk&amp;name (SSID):</translation>
    </message>
    <message>
        <source>Network name (SSID)</source>
        <translation>Netzwerkname (SSID)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ImportEntry</name>
    <message>
        <source>an ad hoc network with WPA (WPA-NONE) is not supported</source>
        <translation>ein Ad-hoc-Netzwerk mit WPA (WPA-NONE) wird nicht unterstützt</translation>
    </message>
    <message>
        <source>an ad hoc network takes open authentication only</source>
        <translation>ein Ad-hoc-Netzwerk erlaubt nur offene Authentifizierung</translation>
    </message>
    <message>
        <source>an ad hoc network on 5 GHz is not supported</source>
        <translation>ein Ad-hoc-Netzwerk im 5-GHz-Band wird nicht unterstützt</translation>
    </message>
    <message>
        <source>its ad hoc frequency %1 MHz is not a 2.4 GHz channel</source>
        <translation>die Ad-hoc-Frequenz %1 MHz ist kein 2,4-GHz-Kanal</translation>
    </message>
    <message>
        <source>its ad hoc channel %1 is not a 2.4 GHz channel</source>
        <translation>der Ad-hoc-Kanal %1 ist kein 2,4-GHz-Kanal</translation>
    </message>
    <message>
        <source>its WEP key index %1 is not 0 to 3</source>
        <translation>der WEP-Schlüsselindex %1 liegt nicht zwischen 0 und 3</translation>
    </message>
</context>
<context>
    <name>JoinQrController</name>
    <message>
        <source>Join from QR text</source>
        <translation>Über QR-Text beitreten</translation>
    </message>
    <message>
        <source>The &amp;text of a Wi-Fi QR code (WIFI:T:WPA;S:…;P:…;;):</source>
        <translation>Der &amp;Text eines WLAN-QR-Codes (WIFI:T:WPA;S:…;P:…;;):</translation>
    </message>
    <message>
        <source>QR text</source>
        <translation>QR-Text</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Join</source>
        <translation>&amp;Beitreten</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Beitreten</translation>
    </message>
</context>
<context>
    <name>KeyRules</name>
    <message>
        <source>Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK key should be more than 8 characters.</source>
        <translation>Ungültiger WPA-Pre-Shared-Key. Ein WPA-PSK/WPA2-PSK-Schlüssel muss mehr als 8 Zeichen haben.</translation>
    </message>
    <message>
        <source>Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK key should be hexadecimal digital.</source>
        <translation>Ungültiger WPA-Pre-Shared-Key. Ein WPA-PSK/WPA2-PSK-Schlüssel muss aus Hexadezimalziffern bestehen.</translation>
    </message>
    <message>
        <source>Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK key should be less than 64 characters.</source>
        <translation>Ungültiger WPA-Pre-Shared-Key. Ein WPA-PSK/WPA2-PSK-Schlüssel muss kürzer als 64 Zeichen sein.</translation>
    </message>
    <message>
        <source>Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK passphrase should be printable ASCII characters.</source>
        <translation>Ungültiger WPA-Pre-Shared-Key. Eine WPA-PSK/WPA2-PSK-Passphrase muss aus druckbaren ASCII-Zeichen bestehen.</translation>
    </message>
    <message>
        <source>Invalid WEP key %1 length. WEP should be 10 or 26 hexadecimal digits.</source>
        <translation>Ungültige Länge von WEP-Schlüssel %1. WEP erfordert 10 oder 26 Hexadezimalziffern.</translation>
    </message>
    <message>
        <source>Invalid WEP key %1 length. WEP should be 5 or 13 ASCII characters.</source>
        <translation>Ungültige Länge von WEP-Schlüssel %1. WEP erfordert 5 oder 13 ASCII-Zeichen.</translation>
    </message>
    <message>
        <source>Invalid WEP key %1 characters. A hexadecimal WEP key should hold only 0-9 and A-F.</source>
        <translation>Ungültige Zeichen in WEP-Schlüssel %1. Ein hexadezimaler WEP-Schlüssel darf nur 0-9 und A-F enthalten.</translation>
    </message>
    <message>
        <source>Invalid WEP key %1 characters. An ASCII WEP key should be printable ASCII characters.</source>
        <translation>Ungültige Zeichen in WEP-Schlüssel %1. Ein ASCII-WEP-Schlüssel muss aus druckbaren ASCII-Zeichen bestehen.</translation>
    </message>
</context>
<context>
    <name>LinkNotices</name>
    <message>
        <source>Connected to %1</source>
        <translation>Verbunden mit %1</translation>
    </message>
    <message>
        <source>Connection to %1 lost</source>
        <translation>Verbindung zu %1 verloren</translation>
    </message>
    <message>
        <source>Could not connect to %1</source>
        <translation>Verbindung mit %1 nicht möglich</translation>
    </message>
    <message>
        <source>The key in the active profile may be wrong, or the network may be out of range.</source>
        <translation>Der Schlüssel im aktiven Profil ist möglicherweise falsch, oder das Netzwerk ist außer Reichweite.</translation>
    </message>
    <message>
        <source>The network may be out of range.</source>
        <translation>Das Netzwerk ist möglicherweise außer Reichweite.</translation>
    </message>
</context>
<context>
    <name>LinkStatus</name>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>No wireless connection</source>
        <translation>Keine Funkverbindung</translation>
    </message>
    <message>
        <source>No connection</source>
        <translation>Keine Verbindung</translation>
    </message>
    <message>
        <source>Radio OFF</source>
        <translation>Funk AUS</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Getrennt</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>Infrastructure</source>
        <translation>Infrastruktur</translation>
    </message>
    <message>
        <source>Ad Hoc</source>
        <translation>Ad-hoc</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Corvane Wireless Utility</source>
        <translation>Corvane Wireless Utility</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>Site Survey</source>
        <translation>Verfügbare Netzwerke</translation>
    </message>
    <message>
        <source>Link Status</source>
        <translation>Verbindungsstatus</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Erweitert</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Scanning…</source>
        <translation>Suche läuft…</translation>
    </message>
    <message>
        <source>Closing when the current operation ends…</source>
        <translation>Wird geschlossen, sobald der laufende Vorgang endet…</translation>
    </message>
</context>
<context>
    <name>MiniTask</name>
    <message>
        <source>Network           : %1</source>
        <translation>Netzwerk           : %1</translation>
    </message>
    <message>
        <source>Channel            : %1</source>
        <translation>Kanal              : %1</translation>
    </message>
    <message>
        <source>Signal Strength : %1%</source>
        <translation>Signalstärke    : %1%</translation>
    </message>
    <message>
        <source>[No Connection!!]</source>
        <translation>[Keine Verbindung!]</translation>
    </message>
    <message>
        <source>[Wait Connection...]</source>
        <translation>[Warte auf Verbindung...]</translation>
    </message>
</context>
<context>
    <name>MiniTaskMenu</name>
    <message>
        <source>Corvane Wireless</source>
        <translation>Corvane Wireless</translation>
    </message>
    <message>
        <source>[Wait Connection...]</source>
        <translation>[Warte auf Verbindung...]</translation>
    </message>
    <message>
        <source>Network           : </source>
        <translation>Netzwerk           : </translation>
    </message>
    <message>
        <source>Channel            : </source>
        <translation>Kanal              : </translation>
    </message>
    <message>
        <source>Signal Strength : 0%</source>
        <translation>Signalstärke    : 0%</translation>
    </message>
    <message>
        <source>Show Notifications</source>
        <translation>Benachrichtigungen anzeigen</translation>
    </message>
    <message>
        <source>Open Corvane Wireless Utility...</source>
        <translation>Corvane Wireless Utility öffnen...</translation>
    </message>
</context>
<context>
    <name>NetworkGroupModel</name>
    <message>
        <source>Access Points</source>
        <translation>Zugangspunkte</translation>
    </message>
</context>
<context>
    <name>NmKeyfile</name>
    <message>
        <source>keyfile</source>
        <translation>Keyfile</translation>
    </message>
    <message>
        <source>it is not a Wi-Fi connection (type %1)</source>
        <translation>keine WLAN-Verbindung (type %1)</translation>
    </message>
    <message>
        <source>it has no [wifi] group with an ssid</source>
        <translation>keine [wifi]-Gruppe mit einer ssid</translation>
    </message>
    <message>
        <source>its ssid holds an escape a keyfile does not have</source>
        <translation>ssid enthält eine Escape-Sequenz, die es in Keyfiles nicht gibt</translation>
    </message>
    <message>
        <source>its ssid is empty or longer than 32 bytes</source>
        <translation>ssid ist leer oder länger als 32 Bytes</translation>
    </message>
    <message>
        <source>its channel is not a number</source>
        <translation>der Kanal ist keine Zahl</translation>
    </message>
    <message>
        <source>it is a hotspot (mode=ap), not a network to join</source>
        <translation>ein Hotspot (mode=ap), kein Netzwerk zum Beitreten</translation>
    </message>
    <message>
        <source>it is a mesh network (mode=mesh)</source>
        <translation>ein Mesh-Netzwerk (mode=mesh)</translation>
    </message>
    <message>
        <source>its mode %1 is unknown</source>
        <translation>der Modus %1 ist unbekannt</translation>
    </message>
    <message>
        <source>its bssid is no MAC address</source>
        <translation>die bssid ist keine MAC-Adresse</translation>
    </message>
    <message>
        <source>it uses 802.1X (WPA-Enterprise), which this adapter does not support</source>
        <translation>verwendet 802.1X (WPA-Enterprise), das dieser Adapter nicht unterstützt</translation>
    </message>
    <message>
        <source>its key is not in the file (the desktop&apos;s keyring keeps it)</source>
        <translation>der Schlüssel steht nicht in der Datei (der Schlüsselbund der Arbeitsumgebung verwahrt ihn)</translation>
    </message>
    <message>
        <source>it uses WPA-PSK but gives no psk</source>
        <translation>verwendet WPA-PSK, gibt aber keinen psk an</translation>
    </message>
    <message>
        <source>its psk holds an escape a keyfile does not have</source>
        <translation>psk enthält eine Escape-Sequenz, die es in Keyfiles nicht gibt</translation>
    </message>
    <message>
        <source>its proto names neither wpa nor rsn</source>
        <translation>proto nennt weder wpa noch rsn</translation>
    </message>
    <message>
        <source>its pairwise ciphers are neither ccmp nor tkip</source>
        <translation>die pairwise-Verfahren sind weder ccmp noch tkip</translation>
    </message>
    <message>
        <source>its WEP key is a passphrase (wep-key-type=2), which this adapter cannot use</source>
        <translation>der WEP-Schlüssel ist eine Passphrase (wep-key-type=2), die dieser Adapter nicht verwenden kann</translation>
    </message>
    <message>
        <source>its %1 holds an escape a keyfile does not have</source>
        <translation>%1 enthält eine Escape-Sequenz, die es in Keyfiles nicht gibt</translation>
    </message>
    <message>
        <source>it uses WEP but gives no key</source>
        <translation>verwendet WEP, gibt aber keinen Schlüssel an</translation>
    </message>
    <message>
        <source>its wep-tx-keyidx is not a number</source>
        <translation>wep-tx-keyidx ist keine Zahl</translation>
    </message>
    <message>
        <source>it uses LEAP (802.1X), which is not supported</source>
        <translation>verwendet LEAP (802.1X), das nicht unterstützt wird</translation>
    </message>
    <message>
        <source>it uses WPA3-SAE, which this adapter does not support</source>
        <translation>verwendet WPA3-SAE, das dieser Adapter nicht unterstützt</translation>
    </message>
    <message>
        <source>it uses OWE (Enhanced Open), which this adapter does not support</source>
        <translation>verwendet OWE (Enhanced Open), das dieser Adapter nicht unterstützt</translation>
    </message>
    <message>
        <source>it uses WPA-NONE (ad hoc WPA), which is not supported</source>
        <translation>verwendet WPA-NONE (Ad-hoc-WPA), das nicht unterstützt wird</translation>
    </message>
    <message>
        <source>its key-mgmt &quot;%1&quot; is unknown</source>
        <translation>key-mgmt „%1“ ist unbekannt</translation>
    </message>
    <message>
        <source>line %1 is longer than %2 bytes</source>
        <translation>Zeile %1 ist länger als %2 Bytes</translation>
    </message>
    <message>
        <source>line %1 opens a group without closing it</source>
        <translation>Zeile %1 öffnet eine Gruppe, ohne sie zu schließen</translation>
    </message>
    <message>
        <source>it holds more than 64 groups</source>
        <translation>mehr als 64 Gruppen</translation>
    </message>
    <message>
        <source>line %1 is neither a group, a key=value line nor a comment</source>
        <translation>Zeile %1 ist weder eine Gruppe noch eine Zeile key=value noch ein Kommentar</translation>
    </message>
    <message>
        <source>line %1 holds a key before the first group</source>
        <translation>Zeile %1 enthält einen Schlüssel vor der ersten Gruppe</translation>
    </message>
    <message>
        <source>a group holds more than 256 keys</source>
        <translation>eine Gruppe enthält mehr als 256 Schlüssel</translation>
    </message>
    <message>
        <source>it holds no groups</source>
        <translation>keine Gruppen</translation>
    </message>
</context>
<context>
    <name>PlistScan</name>
    <message>
        <source>it is not a property list</source>
        <translation>keine Eigenschaftsliste</translation>
    </message>
    <message>
        <source>it is nested more than %1 levels deep</source>
        <translation>mehr als %1 Ebenen tief verschachtelt</translation>
    </message>
    <message>
        <source>it holds more than %1 values</source>
        <translation>mehr als %1 Werte</translation>
    </message>
</context>
<context>
    <name>PreferenceFiles</name>
    <message>
        <source>it is not a property list</source>
        <translation>keine Eigenschaftsliste</translation>
    </message>
    <message>
        <source>its top level is not an array</source>
        <translation>die oberste Ebene ist kein Array</translation>
    </message>
    <message>
        <source>%1 could not be read (%2) and was left in place; it counts as empty.</source>
        <translation>%1 konnte nicht gelesen werden (%2) und wurde an seinem Ort belassen; die Datei gilt als leer.</translation>
    </message>
    <message>
        <source>%1 could not be read (%2) and was moved to %3; it counts as empty.</source>
        <translation>%1 konnte nicht gelesen werden (%2) und wurde nach %3 verschoben; die Datei gilt als leer.</translation>
    </message>
</context>
<context>
    <name>ProfileController</name>
    <message>
        <source>Profiles</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Press Enter to activate the selected profile, F2 to rename its network.</source>
        <translation>Drücken Sie die Eingabetaste, um das ausgewählte Profil zu aktivieren, und F2, um sein Netzwerk umzubenennen.</translation>
    </message>
    <message>
        <source>SSID</source>
        <translation>SSID</translation>
    </message>
    <message>
        <source>A&amp;dd</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Ac&amp;tivate</source>
        <translation>Ak&amp;tivieren</translation>
    </message>
    <message>
        <source>Activate</source>
        <translation>Aktivieren</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>Change the network name of the selected profile (F2)</source>
        <translation>Den Netzwerknamen des ausgewählten Profils ändern (F2)</translation>
    </message>
    <message>
        <source>&amp;Share…</source>
        <translation>&amp;Teilen…</translation>
    </message>
    <message>
        <source>Show the selected profile as a QR code that phones read</source>
        <translation>Das ausgewählte Profil als QR-Code anzeigen, den Telefone lesen können</translation>
    </message>
    <message>
        <source>&amp;Import…</source>
        <translation>&amp;Importieren…</translation>
    </message>
    <message>
        <source>Add profiles from an exported list, a wpa_supplicant configuration or NetworkManager connections</source>
        <translation>Profile aus einer exportierten Liste, einer wpa_supplicant-Konfiguration oder NetworkManager-Verbindungen hinzufügen</translation>
    </message>
    <message>
        <source>E&amp;xport…</source>
        <translation>E&amp;xportieren…</translation>
    </message>
    <message>
        <source>Save the profiles, with their keys, to a file</source>
        <translation>Die Profile samt ihren Schlüsseln in einer Datei speichern</translation>
    </message>
    <message>
        <source>The active profile</source>
        <translation>Das aktive Profil</translation>
    </message>
</context>
<context>
    <name>ProfileDrawer</name>
    <message>
        <source>Profiles</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Profile drawer</source>
        <translation>Profilleiste</translation>
    </message>
</context>
<context>
    <name>ProfileEditorController</name>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>Profile settings</source>
        <translation>Profileinstellungen</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>Profile &amp;name</source>
        <translation>Profil&amp;name</translation>
    </message>
    <message>
        <source>Profile name</source>
        <translation>Profilname</translation>
    </message>
    <message>
        <source>&amp;SSID</source>
        <translation>&amp;SSID</translation>
    </message>
    <message>
        <source>SSID</source>
        <translation>SSID</translation>
    </message>
    <message>
        <source>The network name; pick a network in range or type a name</source>
        <translation>Der Netzwerkname; wählen Sie ein Netzwerk in Reichweite oder geben Sie einen Namen ein</translation>
    </message>
    <message>
        <source>Network &amp;type</source>
        <translation>Netzwerk&amp;typ</translation>
    </message>
    <message>
        <source>Network type</source>
        <translation>Netzwerktyp</translation>
    </message>
    <message>
        <source>&amp;Channel</source>
        <translation>&amp;Kanal</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>&amp;Preamble</source>
        <translation>&amp;Präambel</translation>
    </message>
    <message>
        <source>Preamble</source>
        <translation>Präambel</translation>
    </message>
    <message>
        <source>Long</source>
        <translation>Lang</translation>
    </message>
    <message>
        <source>Short</source>
        <translation>Kurz</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Transmit p&amp;ower</source>
        <translation>Sende&amp;leistung</translation>
    </message>
    <message>
        <source>Transmit power</source>
        <translation>Sendeleistung</translation>
    </message>
    <message>
        <source>Power mode</source>
        <translation>Energiemodus</translation>
    </message>
    <message>
        <source>Constantly &amp;awake (CAM)</source>
        <translation>Immer &amp;wach (CAM)</translation>
    </message>
    <message>
        <source>Constantly awake (CAM)</source>
        <translation>Immer wach (CAM)</translation>
    </message>
    <message>
        <source>Power sa&amp;ve mode</source>
        <translation>Energie&amp;sparmodus</translation>
    </message>
    <message>
        <source>Power save mode</source>
        <translation>Energiesparmodus</translation>
    </message>
    <message>
        <source>Constantly awake on A&amp;C power</source>
        <translation>Im &amp;Netzbetrieb immer wach</translation>
    </message>
    <message>
        <source>Constantly awake on AC power</source>
        <translation>Im Netzbetrieb immer wach</translation>
    </message>
    <message>
        <source>&amp;RTS threshold</source>
        <translation>&amp;RTS-Schwelle</translation>
    </message>
    <message>
        <source>RTS threshold</source>
        <translation>RTS-Schwelle</translation>
    </message>
    <message>
        <source>RTS threshold slider</source>
        <translation>Schieberegler für die RTS-Schwelle</translation>
    </message>
    <message>
        <source>RTS threshold value</source>
        <translation>Wert der RTS-Schwelle</translation>
    </message>
    <message>
        <source>&amp;Fragmentation threshold</source>
        <translation>&amp;Fragmentierungsschwelle</translation>
    </message>
    <message>
        <source>Fragmentation threshold</source>
        <translation>Fragmentierungsschwelle</translation>
    </message>
    <message>
        <source>Fragmentation threshold slider</source>
        <translation>Schieberegler für die Fragmentierungsschwelle</translation>
    </message>
    <message>
        <source>Fragmentation threshold value</source>
        <translation>Wert der Fragmentierungsschwelle</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>Sicherheit</translation>
    </message>
    <message>
        <source>Au&amp;thentication</source>
        <translation>Au&amp;thentifizierung</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>Authentifizierung</translation>
    </message>
    <message>
        <source>&amp;Encryption</source>
        <translation>V&amp;erschlüsselung</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>Verschlüsselung</translation>
    </message>
    <message>
        <source>Key &amp;1</source>
        <translation>Schlüssel &amp;1</translation>
    </message>
    <message>
        <source>Key 1</source>
        <translation>Schlüssel 1</translation>
    </message>
    <message>
        <source>The key used for sending</source>
        <translation>Der Schlüssel zum Senden</translation>
    </message>
    <message>
        <source>Key 1 type</source>
        <translation>Typ von Schlüssel 1</translation>
    </message>
    <message>
        <source>Key &amp;2</source>
        <translation>Schlüssel &amp;2</translation>
    </message>
    <message>
        <source>Key 2</source>
        <translation>Schlüssel 2</translation>
    </message>
    <message>
        <source>Key 2 type</source>
        <translation>Typ von Schlüssel 2</translation>
    </message>
    <message>
        <source>Key &amp;3</source>
        <translation>Schlüssel &amp;3</translation>
    </message>
    <message>
        <source>Key 3</source>
        <translation>Schlüssel 3</translation>
    </message>
    <message>
        <source>Key 3 type</source>
        <translation>Typ von Schlüssel 3</translation>
    </message>
    <message>
        <source>Key &amp;4</source>
        <translation>Schlüssel &amp;4</translation>
    </message>
    <message>
        <source>Key 4</source>
        <translation>Schlüssel 4</translation>
    </message>
    <message>
        <source>Key 4 type</source>
        <translation>Typ von Schlüssel 4</translation>
    </message>
    <message>
        <source>&amp;Pre-shared key</source>
        <translation>&amp;Pre-Shared Key</translation>
    </message>
    <message>
        <source>Pre-shared key</source>
        <translation>Pre-Shared Key</translation>
    </message>
    <message>
        <source>8 to 63 characters, or 64 hexadecimal digits</source>
        <translation>8 bis 63 Zeichen oder 64 Hexadezimalziffern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ProfileEditorModel</name>
    <message>
        <source>The profile could not be saved.</source>
        <translation>Das Profil konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Please keyin the SSID</source>
        <translation>Bitte geben Sie die SSID ein</translation>
    </message>
</context>
<context>
    <name>ProfileExchangeActions</name>
    <message>
        <source>Property lists (*.plist)</source>
        <translation>Eigenschaftslisten (*.plist)</translation>
    </message>
    <message>
        <source>Profiles and Wi-Fi settings (*.plist *.conf *.nmconnection);;All files (*)</source>
        <translation>Profile und WLAN-Einstellungen (*.plist *.conf *.nmconnection);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Export Profiles</source>
        <translation>Profile exportieren</translation>
    </message>
    <message>
        <source>The profiles could not be exported.</source>
        <translation>Die Profile konnten nicht exportiert werden.</translation>
    </message>
    <message>
        <source>Import Profiles</source>
        <translation>Profile importieren</translation>
    </message>
    <message>
        <source>The file could not be imported.</source>
        <translation>Die Datei konnte nicht importiert werden.</translation>
    </message>
    <message>
        <source>No profile was imported.</source>
        <translation>Es wurde kein Profil importiert.</translation>
    </message>
    <message>
        <source>Imported 1 profile.</source>
        <translation>1 Profil importiert.</translation>
    </message>
    <message>
        <source>Imported %1 profiles.</source>
        <translation>%1 Profile importiert.</translation>
    </message>
</context>
<context>
    <name>ProfileImport</name>
    <message>
        <source>profile %1</source>
        <translation>Profil %1</translation>
    </message>
    <message>
        <source>its SSID is empty or longer than 32 bytes</source>
        <translation>die SSID ist leer oder länger als 32 Bytes</translation>
    </message>
    <message>
        <source>its network type is unknown</source>
        <translation>der Netzwerktyp ist unbekannt</translation>
    </message>
    <message>
        <source>its authentication or encryption is unknown</source>
        <translation>Authentifizierung oder Verschlüsselung unbekannt</translation>
    </message>
    <message>
        <source>an ad hoc network takes open authentication only</source>
        <translation>ein Ad-hoc-Netzwerk erlaubt nur offene Authentifizierung</translation>
    </message>
    <message>
        <source>its ad hoc channel is not a 2.4 GHz channel</source>
        <translation>der Ad-hoc-Kanal ist kein 2,4-GHz-Kanal</translation>
    </message>
    <message>
        <source>its WEP key %1 has an unknown key type</source>
        <translation>WEP-Schlüssel %1 hat einen unbekannten Schlüsseltyp</translation>
    </message>
    <message>
        <source>its default WEP key is not key 1 to 4</source>
        <translation>der Standard-WEP-Schlüssel ist nicht Schlüssel 1 bis 4</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>die Datei existiert nicht</translation>
    </message>
    <message>
        <source>Replaced %1 (%2)</source>
        <translation>%1 (%2) ersetzt</translation>
    </message>
    <message>
        <source>Imported %1 (%2)</source>
        <translation>%1 (%2) importiert</translation>
    </message>
    <message>
        <source>Imported %1 (%2) as %3: the name %1 is taken</source>
        <translation>%1 (%2) als %3 importiert: der Name %1 ist bereits vergeben</translation>
    </message>
    <message>
        <source>Skipped %1 of %2: %3</source>
        <translation>%1 aus %2 übersprungen: %3</translation>
    </message>
    <message>
        <source>Skipped %1 (%2) of %3: %4</source>
        <translation>%1 (%2) aus %3 übersprungen: %4</translation>
    </message>
</context>
<context>
    <name>ProfileList</name>
    <message>
        <source>The profile has been changed or deleted by another program.</source>
        <translation>Das Profil wurde von einem anderen Programm geändert oder gelöscht.</translation>
    </message>
    <message>
        <source>The profiles could not be saved.</source>
        <translation>Die Profile konnten nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>The active profile could not be saved.</source>
        <translation>Das aktive Profil konnte nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>QrJoin</name>
    <message>
        <source>The QR code is for an open network, but %1 is a WEP network.</source>
        <translation>Der QR-Code gilt für ein offenes Netzwerk, aber %1 ist ein WEP-Netzwerk.</translation>
    </message>
    <message>
        <source>The QR code is for an open network, but %1 is a WPA network.</source>
        <translation>Der QR-Code gilt für ein offenes Netzwerk, aber %1 ist ein WPA-Netzwerk.</translation>
    </message>
    <message>
        <source>The QR code is for a WEP network, but %1 is an open network.</source>
        <translation>Der QR-Code gilt für ein WEP-Netzwerk, aber %1 ist ein offenes Netzwerk.</translation>
    </message>
    <message>
        <source>The QR code is for a WEP network, but %1 is a WPA network.</source>
        <translation>Der QR-Code gilt für ein WEP-Netzwerk, aber %1 ist ein WPA-Netzwerk.</translation>
    </message>
    <message>
        <source>The QR code is for a WPA network, but %1 is an open network.</source>
        <translation>Der QR-Code gilt für ein WPA-Netzwerk, aber %1 ist ein offenes Netzwerk.</translation>
    </message>
    <message>
        <source>The QR code is for a WPA network, but %1 is a WEP network.</source>
        <translation>Der QR-Code gilt für ein WPA-Netzwerk, aber %1 ist ein WEP-Netzwerk.</translation>
    </message>
    <message>
        <source>No network named %1 is in range.</source>
        <translation>Kein Netzwerk namens %1 ist in Reichweite.</translation>
    </message>
</context>
<context>
    <name>QtAlerts</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>%1 MiB</source>
        <translation>%1 MiB</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
    <message>
        <source>it cannot be opened: %1</source>
        <translation>kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>it cannot be examined: %1</source>
        <translation>kann nicht untersucht werden: %1</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>it is larger than %1</source>
        <translation>größer als %1</translation>
    </message>
    <message>
        <source>it cannot be read: %1</source>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
</context>
<context>
    <name>ShareProfileController</name>
    <message>
        <source>Share Profile</source>
        <translation>Profil teilen</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>Scan the code with a phone&apos;s camera to join the network.</source>
        <translation>Scannen Sie den Code mit der Kamera eines Telefons, um dem Netzwerk beizutreten.</translation>
    </message>
    <message>
        <source>Show &amp;key</source>
        <translation>&amp;Schlüssel anzeigen</translation>
    </message>
    <message>
        <source>Show key</source>
        <translation>Schlüssel anzeigen</translation>
    </message>
    <message>
        <source>The QR code and its text hold the network&apos;s key</source>
        <translation>Der QR-Code und sein Text enthalten den Schlüssel des Netzwerks</translation>
    </message>
    <message>
        <source>The QR code holds the network&apos;s key. Turn on Show key to show it.</source>
        <translation>Der QR-Code enthält den Schlüssel des Netzwerks. Schalten Sie „Schlüssel anzeigen“ ein, um ihn anzuzeigen.</translation>
    </message>
    <message>
        <source>QR code</source>
        <translation>QR-Code</translation>
    </message>
    <message>
        <source>QR text</source>
        <translation>QR-Text</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>%1 (open, hidden)</source>
        <translation>%1 (offen, versteckt)</translation>
    </message>
    <message>
        <source>%1 (open)</source>
        <translation>%1 (offen)</translation>
    </message>
    <message>
        <source>%1 (WEP, hidden)</source>
        <translation>%1 (WEP, versteckt)</translation>
    </message>
    <message>
        <source>%1 (WEP)</source>
        <translation>%1 (WEP)</translation>
    </message>
    <message>
        <source>%1 (WPA, hidden)</source>
        <translation>%1 (WPA, versteckt)</translation>
    </message>
    <message>
        <source>%1 (WPA)</source>
        <translation>%1 (WPA)</translation>
    </message>
</context>
<context>
    <name>SignalHistory</name>
    <message>
        <source>no samples yet</source>
        <translation>noch keine Messwerte</translation>
    </message>
    <message>
        <source>not connected</source>
        <translation>nicht verbunden</translation>
    </message>
    <message>
        <source>now %1, lowest %2, highest %3, mean %4</source>
        <translation>jetzt %1, niedrigste %2, höchste %3, Mittel %4</translation>
    </message>
    <message>
        <source>Link quality over the last 1 minute: %1</source>
        <translation>Verbindungsqualität der letzten Minute: %1</translation>
    </message>
    <message>
        <source>Link quality over the last %1 minutes: %2</source>
        <translation>Verbindungsqualität der letzten %1 Minuten: %2</translation>
    </message>
</context>
<context>
    <name>SignalHistoryGraph</name>
    <message>
        <source>Link quality history</source>
        <translation>Verlauf der Verbindungsqualität</translation>
    </message>
    <message>
        <source>%1 min ago</source>
        <translation>vor %1 min</translation>
    </message>
    <message>
        <source>now</source>
        <translation>jetzt</translation>
    </message>
</context>
<context>
    <name>SiteSurveyController</name>
    <message>
        <source>Site Survey</source>
        <translation>Verfügbare Netzwerke</translation>
    </message>
    <message>
        <source>Networks in range</source>
        <translation>Netzwerke in Reichweite</translation>
    </message>
    <message>
        <source>Select a network, then press Enter or Connect to join it.</source>
        <translation>Wählen Sie ein Netzwerk aus und drücken Sie dann die Eingabetaste oder Verbinden, um ihm beizutreten.</translation>
    </message>
    <message>
        <source>&amp;Scan</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation>&amp;Verbinden</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>&amp;Add to Profile</source>
        <translation>Zu Profil &amp;hinzufügen</translation>
    </message>
    <message>
        <source>Add to Profile</source>
        <translation>Zu Profil hinzufügen</translation>
    </message>
    <message>
        <source>Connect to &amp;Hidden Network…</source>
        <translation>Mit &amp;verstecktem Netzwerk verbinden…</translation>
    </message>
    <message>
        <source>Connect to Hidden Network</source>
        <translation>Mit verstecktem Netzwerk verbinden</translation>
    </message>
    <message>
        <source>Join from &amp;QR text…</source>
        <translation>Über &amp;QR-Text beitreten…</translation>
    </message>
    <message>
        <source>Join from QR text</source>
        <translation>Über QR-Text beitreten</translation>
    </message>
    <message>
        <source>Networks in range, one row per network</source>
        <translation>Netzwerke in Reichweite, eine Zeile pro Netzwerk</translation>
    </message>
    <message>
        <source>Expand a network to see its access points. Select one, then press Enter or Connect to join it.</source>
        <translation>Klappen Sie ein Netzwerk auf, um seine Zugangspunkte zu sehen. Wählen Sie einen aus und drücken Sie dann die Eingabetaste oder Verbinden, um ihm beizutreten.</translation>
    </message>
    <message>
        <source>&amp;Group by network</source>
        <translation>Nach Netzwerk &amp;gruppieren</translation>
    </message>
    <message>
        <source>Group by network</source>
        <translation>Nach Netzwerk gruppieren</translation>
    </message>
</context>
<context>
    <name>StoredIndexes</name>
    <message>
        <source>NONE</source>
        <translation>KEINE</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Offen</translation>
    </message>
    <message>
        <source>Shared</source>
        <translation>Gemeinsam</translation>
    </message>
    <message>
        <source>Ad Hoc</source>
        <translation>Ad-hoc</translation>
    </message>
    <message>
        <source>Infrastructure</source>
        <translation>Infrastruktur</translation>
    </message>
    <message>
        <source>Hexadecimal</source>
        <translation>Hexadezimal</translation>
    </message>
</context>
<context>
    <name>SurveyConnect</name>
    <message>
        <source>This network uses %1 security, which this adapter doesn&apos;t support.</source>
        <translation>Dieses Netzwerk verwendet die Sicherheit %1, die dieser Adapter nicht unterstützt.</translation>
    </message>
    <message>
        <source>No selected item</source>
        <translation>Kein Eintrag ausgewählt</translation>
    </message>
    <message>
        <source>Please select an item to connect to.</source>
        <translation>Bitte wählen Sie einen Eintrag aus, mit dem verbunden werden soll.</translation>
    </message>
    <message>
        <source>Please select an item to delete.</source>
        <translation>Bitte wählen Sie einen Eintrag zum Löschen aus.</translation>
    </message>
    <message>
        <source>WPA-Enterprise / WPA2-Enterprise isn&apos;t supported yet!!!</source>
        <translation>WPA-Enterprise / WPA2-Enterprise wird noch nicht unterstützt!</translation>
    </message>
    <message>
        <source>WPA-NONE of Adhoc doesn&apos;t supported!!!</source>
        <translation>WPA-NONE für Ad-hoc-Netzwerke wird nicht unterstützt!</translation>
    </message>
    <message>
        <source>This access point has advanced security settings. Please add the profile manually by button [Add to Profile]</source>
        <translation>Dieser Zugangspunkt hat erweiterte Sicherheitseinstellungen. Bitte fügen Sie das Profil manuell mit der Schaltfläche [Zu Profil hinzufügen] hinzu.</translation>
    </message>
    <message>
        <source>5GHz band of Adhoc isn&apos;t supported yet!!!</source>
        <translation>Das 5-GHz-Band wird für Ad-hoc-Netzwerke noch nicht unterstützt!</translation>
    </message>
</context>
<context>
    <name>WEPSettingController</name>
    <message>
        <source>Network Security</source>
        <translation>Netzwerksicherheit</translation>
    </message>
    <message>
        <source>Au&amp;thentication</source>
        <translation>Au&amp;thentifizierung</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>Authentifizierung</translation>
    </message>
    <message>
        <source>&amp;Encryption</source>
        <translation>V&amp;erschlüsselung</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>Verschlüsselung</translation>
    </message>
    <message>
        <source>Key &amp;1</source>
        <translation>Schlüssel &amp;1</translation>
    </message>
    <message>
        <source>Key 1</source>
        <translation>Schlüssel 1</translation>
    </message>
    <message>
        <source>The key used for sending</source>
        <translation>Der Schlüssel zum Senden</translation>
    </message>
    <message>
        <source>Key 1 type</source>
        <translation>Typ von Schlüssel 1</translation>
    </message>
    <message>
        <source>Key &amp;2</source>
        <translation>Schlüssel &amp;2</translation>
    </message>
    <message>
        <source>Key 2</source>
        <translation>Schlüssel 2</translation>
    </message>
    <message>
        <source>Key 2 type</source>
        <translation>Typ von Schlüssel 2</translation>
    </message>
    <message>
        <source>Key &amp;3</source>
        <translation>Schlüssel &amp;3</translation>
    </message>
    <message>
        <source>Key 3</source>
        <translation>Schlüssel 3</translation>
    </message>
    <message>
        <source>Key 3 type</source>
        <translation>Typ von Schlüssel 3</translation>
    </message>
    <message>
        <source>Key &amp;4</source>
        <translation>Schlüssel &amp;4</translation>
    </message>
    <message>
        <source>Key 4</source>
        <translation>Schlüssel 4</translation>
    </message>
    <message>
        <source>Key 4 type</source>
        <translation>Typ von Schlüssel 4</translation>
    </message>
    <message>
        <source>&amp;Pre-shared key</source>
        <translation>&amp;Pre-Shared Key</translation>
    </message>
    <message>
        <source>Pre-shared key</source>
        <translation>Pre-Shared Key</translation>
    </message>
    <message>
        <source>8 to 63 characters, or 64 hexadecimal digits</source>
        <translation>8 bis 63 Zeichen oder 64 Hexadezimalziffern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>WifiQr</name>
    <message>
        <source>A field of the QR text has no closing &quot;;&quot;.</source>
        <translation>Ein Feld des QR-Textes wird nicht mit „;“ abgeschlossen.</translation>
    </message>
    <message>
        <source>The QR text holds a field without a name (&quot;%1&quot;).</source>
        <translation>Der QR-Text enthält ein Feld ohne Namen („%1“).</translation>
    </message>
    <message>
        <source>The QR text gives the field %1 twice.</source>
        <translation>Der QR-Text enthält das Feld %1 zweimal.</translation>
    </message>
    <message>
        <source>The field %1 of the QR text ends in a lone backslash.</source>
        <translation>Das Feld %1 des QR-Textes endet mit einem einzelnen Backslash.</translation>
    </message>
    <message>
        <source>The QR text goes on after its end (&quot;;;&quot;).</source>
        <translation>Der QR-Text geht nach seinem Ende („;;“) weiter.</translation>
    </message>
    <message>
        <source>The network uses WPA3-SAE, which this adapter does not support.</source>
        <translation>Das Netzwerk verwendet WPA3-SAE, das dieser Adapter nicht unterstützt.</translation>
    </message>
    <message>
        <source>The network uses 802.1X (WPA-Enterprise), which this adapter does not support.</source>
        <translation>Das Netzwerk verwendet 802.1X (WPA-Enterprise), das dieser Adapter nicht unterstützt.</translation>
    </message>
    <message>
        <source>The network uses OWE (Enhanced Open), which this adapter does not support.</source>
        <translation>Das Netzwerk verwendet OWE (Enhanced Open), das dieser Adapter nicht unterstützt.</translation>
    </message>
    <message>
        <source>The QR text is longer than %1 characters.</source>
        <translation>Der QR-Text ist länger als %1 Zeichen.</translation>
    </message>
    <message>
        <source>This is not a Wi-Fi QR text: it does not begin with &quot;WIFI:&quot;.</source>
        <translation>Dies ist kein WLAN-QR-Text: Er beginnt nicht mit „WIFI:“.</translation>
    </message>
    <message>
        <source>The QR text names an unknown security type (T:%1).</source>
        <translation>Der QR-Text nennt eine unbekannte Sicherheitsart (T:%1).</translation>
    </message>
    <message>
        <source>The QR text&apos;s field R is not a hexadecimal number.</source>
        <translation>Das Feld R des QR-Textes ist keine Hexadezimalzahl.</translation>
    </message>
    <message>
        <source>The network accepts WPA3-SAE only, which this adapter does not support.</source>
        <translation>Das Netzwerk akzeptiert nur WPA3-SAE, das dieser Adapter nicht unterstützt.</translation>
    </message>
    <message>
        <source>The QR text names no network (S:).</source>
        <translation>Der QR-Text nennt kein Netzwerk (S:).</translation>
    </message>
    <message>
        <source>The network name in the QR text is longer than 32 bytes.</source>
        <translation>Der Netzwerkname im QR-Text ist länger als 32 Bytes.</translation>
    </message>
    <message>
        <source>The QR text gives a key (P:) for an open network (T:nopass).</source>
        <translation>Der QR-Text gibt einen Schlüssel (P:) für ein offenes Netzwerk (T:nopass) an.</translation>
    </message>
    <message>
        <source>The QR text gives no key (P:) for a WEP network.</source>
        <translation>Der QR-Text gibt keinen Schlüssel (P:) für ein WEP-Netzwerk an.</translation>
    </message>
    <message>
        <source>The QR text gives no key (P:) for a WPA network.</source>
        <translation>Der QR-Text gibt keinen Schlüssel (P:) für ein WPA-Netzwerk an.</translation>
    </message>
    <message>
        <source>The QR text&apos;s field H is neither true nor false.</source>
        <translation>Das Feld H des QR-Textes ist weder true noch false.</translation>
    </message>
    <message>
        <source>An ad hoc profile cannot be shared as a QR code: phones join access points only.</source>
        <translation>Ein Ad-hoc-Profil kann nicht als QR-Code geteilt werden: Telefone verbinden sich nur mit Zugangspunkten.</translation>
    </message>
    <message>
        <source>The profile&apos;s network name is empty or longer than 32 bytes.</source>
        <translation>Der Netzwerkname des Profils ist leer oder länger als 32 Bytes.</translation>
    </message>
    <message>
        <source>The profile has no pre-shared key to share.</source>
        <translation>Das Profil hat keinen Pre-Shared Key, der geteilt werden könnte.</translation>
    </message>
    <message>
        <source>The profile&apos;s default WEP key (key %1) is empty.</source>
        <translation>Der Standard-WEP-Schlüssel des Profils (Schlüssel %1) ist leer.</translation>
    </message>
</context>
<context>
    <name>WpaSupplicantConfig</name>
    <message>
        <source>network block at line %1</source>
        <translation>network-Block in Zeile %1</translation>
    </message>
    <message>
        <source>line %1 is longer than %2 bytes</source>
        <translation>Zeile %1 ist länger als %2 Bytes</translation>
    </message>
    <message>
        <source>it has no ssid</source>
        <translation>keine ssid angegeben</translation>
    </message>
    <message>
        <source>its ssid is neither quoted text nor hexadecimal</source>
        <translation>ssid ist weder Text in Anführungszeichen noch hexadezimal</translation>
    </message>
    <message>
        <source>its ssid is empty or longer than 32 bytes</source>
        <translation>ssid ist leer oder länger als 32 Bytes</translation>
    </message>
    <message>
        <source>its bssid is no MAC address</source>
        <translation>die bssid ist keine MAC-Adresse</translation>
    </message>
    <message>
        <source>it is an access point (mode=2), not a network to join</source>
        <translation>ein Zugangspunkt (mode=2), kein Netzwerk zum Beitreten</translation>
    </message>
    <message>
        <source>it is a Wi-Fi Direct group (mode=%1)</source>
        <translation>eine Wi-Fi-Direct-Gruppe (mode=%1)</translation>
    </message>
    <message>
        <source>it is a mesh network (mode=5)</source>
        <translation>ein Mesh-Netzwerk (mode=5)</translation>
    </message>
    <message>
        <source>its mode is not a number from 0 to 5</source>
        <translation>der Modus ist keine Zahl von 0 bis 5</translation>
    </message>
    <message>
        <source>its frequency is not a number</source>
        <translation>die Frequenz ist keine Zahl</translation>
    </message>
    <message>
        <source>it uses WPA-NONE (ad hoc WPA), which is not supported</source>
        <translation>verwendet WPA-NONE (Ad-hoc-WPA), das nicht unterstützt wird</translation>
    </message>
    <message>
        <source>its psk is neither a quoted passphrase nor hexadecimal digits</source>
        <translation>psk ist weder eine Passphrase in Anführungszeichen noch Hexadezimalziffern</translation>
    </message>
    <message>
        <source>its psk is kept outside the file (%1)</source>
        <translation>psk wird außerhalb der Datei aufbewahrt (%1)</translation>
    </message>
    <message>
        <source>its proto names neither WPA nor RSN</source>
        <translation>proto nennt weder WPA noch RSN</translation>
    </message>
    <message>
        <source>its pairwise ciphers are neither CCMP nor TKIP (GCMP is not supported)</source>
        <translation>die pairwise-Verfahren sind weder CCMP noch TKIP (GCMP wird nicht unterstützt)</translation>
    </message>
    <message>
        <source>its wep_key%1 is neither quoted nor hexadecimal</source>
        <translation>wep_key%1 ist weder in Anführungszeichen noch hexadezimal</translation>
    </message>
    <message>
        <source>its wep_tx_keyidx is not a number</source>
        <translation>wep_tx_keyidx ist keine Zahl</translation>
    </message>
    <message>
        <source>it uses LEAP (802.1X), which is not supported</source>
        <translation>verwendet LEAP (802.1X), das nicht unterstützt wird</translation>
    </message>
    <message>
        <source>it uses WPA3-SAE, which this adapter does not support</source>
        <translation>verwendet WPA3-SAE, das dieser Adapter nicht unterstützt</translation>
    </message>
    <message>
        <source>it uses OWE (Enhanced Open), which this adapter does not support</source>
        <translation>verwendet OWE (Enhanced Open), das dieser Adapter nicht unterstützt</translation>
    </message>
    <message>
        <source>it uses 802.1X (WPA-Enterprise), which this adapter does not support</source>
        <translation>verwendet 802.1X (WPA-Enterprise), das dieser Adapter nicht unterstützt</translation>
    </message>
    <message>
        <source>it uses WPA-PSK but gives no psk</source>
        <translation>verwendet WPA-PSK, gibt aber keinen psk an</translation>
    </message>
    <message>
        <source>its key_mgmt names nothing this adapter supports</source>
        <translation>key_mgmt nennt nichts, was dieser Adapter unterstützt</translation>
    </message>
    <message>
        <source>line %1 is neither a setting (name=value) nor the start of a block</source>
        <translation>Zeile %1 ist weder eine Einstellung (name=value) noch der Anfang eines Blocks</translation>
    </message>
    <message>
        <source>line %1 has a malformed quoted value</source>
        <translation>Zeile %1 enthält einen fehlerhaften Wert in Anführungszeichen</translation>
    </message>
    <message>
        <source>line %1 is no setting (name=value)</source>
        <translation>Zeile %1 ist keine Einstellung (name=value)</translation>
    </message>
    <message>
        <source>the block is not closed by &quot;}&quot;</source>
        <translation>der Block wird nicht mit „}“ geschlossen</translation>
    </message>
    <message>
        <source>it holds no settings and no network blocks</source>
        <translation>keine Einstellungen und keine network-Blöcke</translation>
    </message>
</context>
</TS>
