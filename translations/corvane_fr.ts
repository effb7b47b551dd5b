<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>AboutController</name>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;b&gt;Corvane Wireless Utility&lt;/b&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Versions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Driver version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Driver version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;EEPROM version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EEPROM version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;MAC address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAC address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Utility version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Utility version</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AdvanceController</name>
    <message>
        <source>Advanced</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radio settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Wireless mode:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wireless mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tx &amp;rate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tx rate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;BG protection:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BG protection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tx b&amp;urst</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The stored ad hoc setting, shown for information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ad hoc networks use OFDM rates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The radio is on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radio Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maker&apos;s logo</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CurrentWirelessNetworkController</name>
    <message>
        <source>Link status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current wireless network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network &amp;name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network &amp;type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Link state:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link state</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Channel:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;BSSID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BSSID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link &amp;quality:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link quality</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%p%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No wireless connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Profile Drawer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HiddenSSIDController</name>
    <message>
        <source>Connect to Hidden Network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network &amp;name (SSID):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network name (SSID)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JoinQrController</name>
    <message>
        <source>Join from QR text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The &amp;text of a Wi-Fi QR code (WIFI:T:WPA;S:…;P:…;;):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QR text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Join</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Join</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Corvane Wireless Utility</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Site Survey</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MiniTaskMenu</name>
    <message>
        <source>Corvane Wireless</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[Wait Connection...]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network           : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel            : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signal Strength : 0%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Notifications</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Corvane Wireless Utility...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProfileController</name>
    <message>
        <source>Profiles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press Enter to activate the selected profile, F2 to rename its network.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SSID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A&amp;dd</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ac&amp;tivate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the network name of the selected profile (F2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Share…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the selected profile as a QR code that phones read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add profiles from an exported list, a wpa_supplicant configuration or NetworkManager connections</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xport…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the profiles, with their keys, to a file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProfileEditorController</name>
    <message>
        <source>Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile &amp;name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;SSID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SSID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The network name; pick a network in range or type a name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network &amp;type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Preamble</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preamble</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Short</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transmit p&amp;ower</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transmit power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Power mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Constantly &amp;awake (CAM)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Constantly awake (CAM)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Power sa&amp;ve mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Power save mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Constantly awake on A&amp;C power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Constantly awake on AC power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;RTS threshold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RTS threshold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RTS threshold slider</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RTS threshold value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2347</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fragmentation threshold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fragmentation threshold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fragmentation threshold slider</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fragmentation threshold value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2346</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Security</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Au&amp;thentication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Encryption</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key &amp;1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The key used for sending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key 1 type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key &amp;2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key 2 type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key &amp;3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key 3 type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key &amp;4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key 4 type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Pre-shared key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pre-shared key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8 to 63 characters, or 64 hexadecimal digits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShareProfileController</name>
    <message>
        <source>Share Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan the code with a phone&apos;s camera to join the network.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show &amp;key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The QR code and its text hold the network&apos;s key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The QR code holds the network&apos;s key. Turn on Show key to show it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QR code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QR text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SiteSurveyController</name>
    <message>
        <source>Site Survey</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Networks in range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a network, then press Enter or Connect to join it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Scan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add to Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect to &amp;Hidden Network…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect to Hidden Network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Join from &amp;QR text…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Join from QR text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Networks in range, one row per network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Expand a network to see its access points. Select one, then press Enter or Connect to join it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Group by network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group by network</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WEPSettingController</name>
    <message>
        <source>Network Security</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Au&amp;thentication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Encryption</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key &amp;1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The key used for sending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key 1 type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key &amp;2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key 2 type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key &amp;3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key 3 type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key &amp;4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key 4 type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Pre-shared key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pre-shared key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8 to 63 characters, or 64 hexadecimal digits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
