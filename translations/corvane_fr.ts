<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>AboutController</name>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>&lt;b&gt;Corvane Wireless Utility&lt;/b&gt;</source>
        <translation>&lt;b&gt;Corvane Wireless Utility&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Versions</source>
        <translation>Versions</translation>
    </message>
    <message>
        <source>&amp;Driver version:</source>
        <translation>Version du &amp;pilote :</translation>
    </message>
    <message>
        <source>Driver version</source>
        <translation>Version du pilote</translation>
    </message>
    <message>
        <source>&amp;EEPROM version:</source>
        <translation>Version &amp;EEPROM :</translation>
    </message>
    <message>
        <source>EEPROM version</source>
        <translation>Version EEPROM</translation>
    </message>
    <message>
        <source>&amp;MAC address:</source>
        <translation>Adresse &amp;MAC :</translation>
    </message>
    <message>
        <source>MAC address</source>
        <translation>Adresse MAC</translation>
    </message>
    <message>
        <source>&amp;Utility version:</source>
        <translation>Version de l’&amp;utilitaire :</translation>
    </message>
    <message>
        <source>Utility version</source>
        <translation>Version de l’utilitaire</translation>
    </message>
</context>
<context>
    <name>AccessPoint</name>
    <message>
        <source>Open</source>
        <translation>Ouvert</translation>
    </message>
    <message>
        <source>Open/Shared</source>
        <translation>Ouvert/Partagé</translation>
    </message>
    <message>
        <source>Not Used</source>
        <translation>Non utilisé</translation>
    </message>
    <message>
        <source>Ad Hoc</source>
        <translation>Ad hoc</translation>
    </message>
    <message>
        <source>Infrastructure</source>
        <translation>Infrastructure</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Inconnu</translation>
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
        <translation>Canal</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>Authentification</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>Chiffrement</translation>
    </message>
    <message>
        <source>Network Type</source>
        <translation>Type de réseau</translation>
    </message>
</context>
<context>
    <name>AdvanceController</name>
    <message>
        <source>Advanced</source>
        <translation>Avancé</translation>
    </message>
    <message>
        <source>Radio settings</source>
        <translation>Paramètres radio</translation>
    </message>
    <message>
        <source>&amp;Wireless mode:</source>
        <translation>Mode &amp;sans fil :</translation>
    </message>
    <message>
        <source>Wireless mode</source>
        <translation>Mode sans fil</translation>
    </message>
    <message>
        <source>Tx &amp;rate:</source>
        <translation>&amp;Débit d’émission :</translation>
    </message>
    <message>
        <source>Tx rate</source>
        <translation>Débit d’émission</translation>
    </message>
    <message>
        <source>&amp;BG protection:</source>
        <translation>Protection &amp;BG :</translation>
    </message>
    <message>
        <source>BG protection</source>
        <translation>Protection BG</translation>
    </message>
    <message>
        <source>Tx b&amp;urst</source>
        <translation>&amp;Rafale d’émission</translation>
    </message>
    <message>
        <source>The stored ad hoc setting, shown for information</source>
        <translation>Le réglage ad hoc enregistré, affiché pour information</translation>
    </message>
    <message>
        <source>Ad hoc networks use OFDM rates</source>
        <translation>Les réseaux ad hoc utilisent les débits OFDM</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Radio</translation>
    </message>
    <message>
        <source>The radio is on</source>
        <translation>La radio est activée</translation>
    </message>
    <message>
        <source>Radio Off</source>
        <translation>Désactiver la radio</translation>
    </message>
    <message>
        <source>Maker&apos;s logo</source>
        <translation>Logo du fabricant</translation>
    </message>
    <message>
        <source>Tessel logo</source>
        <translation>Logo Tessel</translation>
    </message>
    <message>
        <source>Corvane logo</source>
        <translation>Logo Corvane</translation>
    </message>
    <message>
        <source>The advanced settings could not be saved.</source>
        <translation>Les paramètres avancés n’ont pas pu être enregistrés.</translation>
    </message>
    <message>
        <source>Check that your Library/Preferences folder can be written, then press Apply again.</source>
        <translation>Vérifiez que votre dossier Library/Preferences est accessible en écriture, puis cliquez de nouveau sur Appliquer.</translation>
    </message>
</context>
<context>
    <name>AdvancedSettings</name>
    <message>
        <source>Auto</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Activé</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>Radio On</source>
        <translation>Activer la radio</translation>
    </message>
    <message>
        <source>Radio Off</source>
        <translation>Désactiver la radio</translation>
    </message>
</context>
<context>
    <name>CurrentWirelessNetworkController</name>
    <message>
        <source>Link status</source>
        <translation>État de la liaison</translation>
    </message>
    <message>
        <source>Current wireless network</source>
        <translation>Réseau sans fil actuel</translation>
    </message>
    <message>
        <source>Network &amp;name:</source>
        <translation>&amp;Nom du réseau :</translation>
    </message>
    <message>
        <source>Network name</source>
        <translation>Nom du réseau</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>Network &amp;type:</source>
        <translation>&amp;Type de réseau :</translation>
    </message>
    <message>
        <source>Network type</source>
        <translation>Type de réseau</translation>
    </message>
    <message>
        <source>&amp;Link state:</source>
        <translation>État de la &amp;liaison :</translation>
    </message>
    <message>
        <source>Link state</source>
        <translation>État de la liaison</translation>
    </message>
    <message>
        <source>No connection</source>
        <translation>Aucune connexion</translation>
    </message>
    <message>
        <source>&amp;Channel:</source>
        <translation>&amp;Canal :</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Canal</translation>
    </message>
    <message>
        <source>&amp;BSSID:</source>
        <translation>&amp;BSSID :</translation>
    </message>
    <message>
        <source>BSSID</source>
        <translation>BSSID</translation>
    </message>
    <message>
        <source>Link &amp;quality:</source>
        <translation>&amp;Qualité de la liaison :</translation>
    </message>
    <message>
        <source>Link quality</source>
        <translation>Qualité de la liaison</translation>
    </message>
    <message>
        <source>%p%</source>
        <translation>%p %</translation>
    </message>
    <message>
        <source>No wireless connection</source>
        <translation>Aucune connexion sans fil</translation>
    </message>
    <message>
        <source>Open Profile Drawer</source>
        <translation>Ouvrir le volet des profils</translation>
    </message>
    <message>
        <source>Close Profile Drawer</source>
        <translation>Fermer le volet des profils</translation>
    </message>
</context>
<context>
    <name>HiddenSSIDController</name>
    <message>
        <source>Connect to Hidden Network</source>
        <translation>Se connecter à un réseau masqué</translation>
    </message>
    <message>
        <source>Network &amp;name (SSID):</source>
        <translation>&amp;Nom du réseau (SSID) :</translation>
    </message>
    <message>
        <source>Network name (SSID)</source>
        <translation>Nom du réseau (SSID)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
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
        <translation>un réseau ad hoc avec WPA (WPA-NONE) n’est pas pris en charge</translation>
    </message>
    <message>
        <source>an ad hoc network takes open authentication only</source>
        <translation>un réseau ad hoc n’accepte que l’authentification ouverte</translation>
    </message>
    <message>
        <source>an ad hoc network on 5 GHz is not supported</source>
        <translation>un réseau ad hoc sur 5 GHz n’est pas pris en charge</translation>
    </message>
    <message>
        <source>its ad hoc frequency %1 MHz is not a 2.4 GHz channel</source>
        <translation>la fréquence ad hoc %1 MHz n’est pas un canal 2,4 GHz</translation>
    </message>
    <message>
        <source>its ad hoc channel %1 is not a 2.4 GHz channel</source>
        <translation>le canal ad hoc %1 n’est pas un canal 2,4 GHz</translation>
    </message>
    <message>
        <source>its WEP key index %1 is not 0 to 3</source>
        <translation>l’index de clé WEP %1 n’est pas compris entre 0 et 3</translation>
    </message>
</context>
<context>
    <name>JoinQrController</name>
    <message>
        <source>Join from QR text</source>
        <translation>Rejoindre par texte QR</translation>
    </message>
    <message>
        <source>The &amp;text of a Wi-Fi QR code (WIFI:T:WPA;S:…;P:…;;):</source>
        <translation>Le &amp;texte d’un code QR Wi-Fi (WIFI:T:WPA;S:…;P:…;;) :</translation>
    </message>
    <message>
        <source>QR text</source>
        <translation>Texte QR</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&amp;Join</source>
        <translation>&amp;Rejoindre</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Rejoindre</translation>
    </message>
</context>
<context>
    <name>KeyRules</name>
    <message>
        <source>Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK key should be more than 8 characters.</source>
        <translation>Clé WPA pré-partagée non valide. Une clé WPA-PSK/WPA2-PSK doit compter plus de 8 caractères.</translation>
    </message>
    <message>
        <source>Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK key should be hexadecimal digital.</source>
        <translation>Clé WPA pré-partagée non valide. Une clé WPA-PSK/WPA2-PSK doit être composée de chiffres hexadécimaux.</translation>
    </message>
    <message>
        <source>Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK key should be less than 64 characters.</source>
        <translation>Clé WPA pré-partagée non valide. Une clé WPA-PSK/WPA2-PSK doit compter moins de 64 caractères.</translation>
    </message>
    <message>
        <source>Invalid WPA Pre-Shared key. WPA-PSK/WPA2-PSK passphrase should be printable ASCII characters.</source>
        <translation>Clé WPA pré-partagée non valide. Une phrase secrète WPA-PSK/WPA2-PSK doit être composée de caractères ASCII imprimables.</translation>
    </message>
    <message>
        <source>Invalid WEP key %1 length. WEP should be 10 or 26 hexadecimal digits.</source>
        <translation>Longueur de la clé WEP %1 non valide. Une clé WEP doit compter 10 ou 26 chiffres hexadécimaux.</translation>
    </message>
    <message>
        <source>Invalid WEP key %1 length. WEP should be 5 or 13 ASCII characters.</source>
        <translation>Longueur de la clé WEP %1 non valide. Une clé WEP doit compter 5 ou 13 caractères ASCII.</translation>
    </message>
    <message>
        <source>Invalid WEP key %1 characters. A hexadecimal WEP key should hold only 0-9 and A-F.</source>
        <translation>Caractères de la clé WEP %1 non valides. Une clé WEP hexadécimale ne doit contenir que 0-9 et A-F.</translation>
    </message>
    <message>
        <source>Invalid WEP key %1 characters. An ASCII WEP key should be printable ASCII characters.</source>
        <translation>Caractères de la clé WEP %1 non valides. Une clé WEP ASCII doit être composée de caractères ASCII imprimables.</translation>
    </message>
</context>
<context>
    <name>LinkNotices</name>
    <message>
        <source>Connected to %1</source>
        <translation>Connecté à %1</translation>
    </message>
    <message>
        <source>Connection to %1 lost</source>
        <translation>Connexion à %1 perdue</translation>
    </message>
    <message>
        <source>Could not connect to %1</source>
        <translation>Impossible de se connecter à %1</translation>
    </message>
    <message>
        <source>The key in the active profile may be wrong, or the network may be out of range.</source>
        <translation>La clé du profil actif est peut-être erronée, ou le réseau est hors de portée.</translation>
    </message>
    <message>
        <source>The network may be out of range.</source>
        <translation>Le réseau est peut-être hors de portée.</translation>
    </message>
</context>
<context>
    <name>LinkStatus</name>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>No wireless connection</source>
        <translation>Aucune connexion sans fil</translation>
    </message>
    <message>
        <source>No connection</source>
        <translation>Aucune connexion</translation>
    </message>
    <message>
        <source>Radio OFF</source>
        <translation>Radio DÉSACTIVÉE</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Déconnecté</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Connecté</translation>
    </message>
    <message>
        <source>Infrastructure</source>
        <translation>Infrastructure</translation>
    </message>
    <message>
        <source>Ad Hoc</source>
        <translation>Ad hoc</translation>
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
        <translation>Pages</translation>
    </message>
    <message>
        <source>Site Survey</source>
        <translation>Réseaux disponibles</translation>
    </message>
    <message>
        <source>Link Status</source>
        <translation>État de la liaison</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avancé</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Scanning…</source>
        <translation>Recherche en cours…</translation>
    </message>
    <message>
        <source>Closing when the current operation ends…</source>
        <translation>Fermeture à la fin de l’opération en cours…</translation>
    </message>
</context>
<context>
    <name>MiniTask</name>
    <message>
        <source>Network           : %1</source>
        <translation>Réseau             : %1</translation>
    </message>
    <message>
        <source>Channel            : %1</source>
        <translation>Canal              : %1</translation>
    </message>
    <message>
        <source>Signal Strength : %1%</source>
        <translation>Force du signal : %1%</translation>
    </message>
    <message>
        <source>[No Connection!!]</source>
        <translation>[Aucune connexion !]</translation>
    </message>
    <message>
        <source>[Wait Connection...]</source>
        <translation>[Attente de connexion...]</translation>
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
        <translation>[Attente de connexion...]</translation>
    </message>
    <message>
        <source>Network           : </source>
        <translation>Réseau             : </translation>
    </message>
    <message>
        <source>Channel            : </source>
        <translation>Canal              : </translation>
    </message>
    <message>
        <source>Signal Strength : 0%</source>
        <translation>Force du signal : 0%</translation>
    </message>
    <message>
        <source>Show Notifications</source>
        <translation>Afficher les notifications</translation>
    </message>
    <message>
        <source>Open Corvane Wireless Utility...</source>
        <translation>Ouvrir Corvane Wireless Utility...</translation>
    </message>
</context>
<context>
    <name>NetworkGroupModel</name>
    <message>
        <source>Access Points</source>
        <translation>Points d’accès</translation>
    </message>
</context>
<context>
    <name>NmKeyfile</name>
    <message>
        <source>keyfile</source>
        <translation>keyfile</translation>
    </message>
    <message>
        <source>it is not a Wi-Fi connection (type %1)</source>
        <translation>ce n’est pas une connexion Wi-Fi (type %1)</translation>
    </message>
    <message>
        <source>it has no [wifi] group with an ssid</source>
        <translation>aucun groupe [wifi] avec un ssid</translation>
    </message>
    <message>
        <source>its ssid holds an escape a keyfile does not have</source>
        <translation>ssid contient une séquence d’échappement qui n’existe pas dans un keyfile</translation>
    </message>
    <message>
        <source>its ssid is empty or longer than 32 bytes</source>
        <translation>ssid est vide ou dépasse 32 octets</translation>
    </message>
    <message>
        <source>its channel is not a number</source>
        <translation>le canal n’est pas un nombre</translation>
    </message>
    <message>
        <source>it is a hotspot (mode=ap), not a network to join</source>
        <translation>c’est un point d’accès (mode=ap), pas un réseau à rejoindre</translation>
    </message>
    <message>
        <source>it is a mesh network (mode=mesh)</source>
        <translation>c’est un réseau maillé (mode=mesh)</translation>
    </message>
    <message>
        <source>its mode %1 is unknown</source>
        <translation>le mode %1 est inconnu</translation>
    </message>
    <message>
        <source>its bssid is no MAC address</source>
        <translation>le bssid n’est pas une adresse MAC</translation>
    </message>
    <message>
        <source>it uses 802.1X (WPA-Enterprise), which this adapter does not support</source>
        <translation>utilise 802.1X (WPA-Enterprise), que cet adaptateur ne prend pas en charge</translation>
    </message>
    <message>
        <source>its key is not in the file (the desktop&apos;s keyring keeps it)</source>
        <translation>la clé n’est pas dans le fichier (le trousseau du bureau la conserve)</translation>
    </message>
    <message>
        <source>it uses WPA-PSK but gives no psk</source>
        <translation>utilise WPA-PSK mais ne donne aucun psk</translation>
    </message>
    <message>
        <source>its psk holds an escape a keyfile does not have</source>
        <translation>psk contient une séquence d’échappement qui n’existe pas dans un keyfile</translation>
    </message>
    <message>
        <source>its proto names neither wpa nor rsn</source>
        <translation>proto n’indique ni wpa ni rsn</translation>
    </message>
    <message>
        <source>its pairwise ciphers are neither ccmp nor tkip</source>
        <translation>les chiffrements pairwise ne sont ni ccmp ni tkip</translation>
    </message>
    <message>
        <source>its WEP key is a passphrase (wep-key-type=2), which this adapter cannot use</source>
        <translation>la clé WEP est une phrase secrète (wep-key-type=2), que cet adaptateur ne peut pas utiliser</translation>
    </message>
    <message>
        <source>its %1 holds an escape a keyfile does not have</source>
        <translation>%1 contient une séquence d’échappement qui n’existe pas dans un keyfile</translation>
    </message>
    <message>
        <source>it uses WEP but gives no key</source>
        <translation>utilise WEP mais ne donne aucune clé</translation>
    </message>
    <message>
        <source>its wep-tx-keyidx is not a number</source>
        <translation>wep-tx-keyidx n’est pas un nombre</translation>
    </message>
    <message>
        <source>it uses LEAP (802.1X), which is not supported</source>
        <translation>utilise LEAP (802.1X), qui n’est pas pris en charge</translation>
    </message>
    <message>
        <source>it uses WPA3-SAE, which this adapter does not support</source>
        <translation>utilise WPA3-SAE, que cet adaptateur ne prend pas en charge</translation>
    </message>
    <message>
        <source>it uses OWE (Enhanced Open), which this adapter does not support</source>
        <translation>utilise OWE (Enhanced Open), que cet adaptateur ne prend pas en charge</translation>
    </message>
    <message>
        <source>it uses WPA-NONE (ad hoc WPA), which is not supported</source>
        <translation>utilise WPA-NONE (WPA ad hoc), qui n’est pas pris en charge</translation>
    </message>
    <message>
        <source>its key-mgmt &quot;%1&quot; is unknown</source>
        <translation>key-mgmt « %1 » est inconnu</translation>
    </message>
    <message>
        <source>line %1 is longer than %2 bytes</source>
        <translation>la ligne %1 dépasse %2 octets</translation>
    </message>
    <message>
        <source>line %1 opens a group without closing it</source>
        <translation>la ligne %1 ouvre un groupe sans le fermer</translation>
    </message>
    <message>
        <source>it holds more than 64 groups</source>
        <translation>plus de 64 groupes</translation>
    </message>
    <message>
        <source>line %1 is neither a group, a key=value line nor a comment</source>
        <translation>la ligne %1 n’est ni un groupe, ni une ligne clé=valeur, ni un commentaire</translation>
    </message>
    <message>
        <source>line %1 holds a key before the first group</source>
        <translation>la ligne %1 contient une clé avant le premier groupe</translation>
    </message>
    <message>
        <source>a group holds more than 256 keys</source>
        <translation>un groupe contient plus de 256 clés</translation>
    </message>
    <message>
        <source>it holds no groups</source>
        <translation>aucun groupe</translation>
    </message>
</context>
<context>
    <name>PlistScan</name>
    <message>
        <source>it is not a property list</source>
        <translation>ce n’est pas une liste de propriétés</translation>
    </message>
    <message>
        <source>it is nested more than %1 levels deep</source>
        <translation>imbrication sur plus de %1 niveaux</translation>
    </message>
    <message>
        <source>it holds more than %1 values</source>
        <translation>plus de %1 valeurs</translation>
    </message>
</context>
<context>
    <name>PreferenceFiles</name>
    <message>
        <source>it is not a property list</source>
        <translation>ce n’est pas une liste de propriétés</translation>
    </message>
    <message>
        <source>its top level is not an array</source>
        <translation>le niveau supérieur n’est pas un tableau</translation>
    </message>
    <message>
        <source>%1 could not be read (%2) and was left in place; it counts as empty.</source>
        <translation>%1 n&apos;a pas pu être lu (%2) et a été laissé en place ; il est considéré comme vide.</translation>
    </message>
    <message>
        <source>%1 could not be read (%2) and was moved to %3; it counts as empty.</source>
        <translation>%1 n&apos;a pas pu être lu (%2) et a été déplacé vers %3 ; il est considéré comme vide.</translation>
    </message>
</context>
<context>
    <name>ProfileController</name>
    <message>
        <source>Profiles</source>
        <translation>Profils</translation>
    </message>
    <message>
        <source>Press Enter to activate the selected profile, F2 to rename its network.</source>
        <translation>Appuyez sur Entrée pour activer le profil sélectionné, sur F2 pour renommer son réseau.</translation>
    </message>
    <message>
        <source>SSID</source>
        <translation>SSID</translation>
    </message>
    <message>
        <source>A&amp;dd</source>
        <translation>&amp;Ajouter</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Modifier</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>Supp&amp;rimer</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Ac&amp;tivate</source>
        <translation>Ac&amp;tiver</translation>
    </message>
    <message>
        <source>Activate</source>
        <translation>Activer</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Renommer</translation>
    </message>
    <message>
        <source>Change the network name of the selected profile (F2)</source>
        <translation>Modifier le nom de réseau du profil sélectionné (F2)</translation>
    </message>
    <message>
        <source>&amp;Share…</source>
        <translation>&amp;Partager…</translation>
    </message>
    <message>
        <source>Show the selected profile as a QR code that phones read</source>
        <translation>Afficher le profil sélectionné sous forme de code QR lisible par les téléphones</translation>
    </message>
    <message>
        <source>&amp;Import…</source>
        <translation>&amp;Importer…</translation>
    </message>
    <message>
        <source>Add profiles from an exported list, a wpa_supplicant configuration or NetworkManager connections</source>
        <translation>Ajouter des profils depuis une liste exportée, une configuration wpa_supplicant ou des connexions NetworkManager</translation>
    </message>
    <message>
        <source>E&amp;xport…</source>
        <translation>E&amp;xporter…</translation>
    </message>
    <message>
        <source>Save the profiles, with their keys, to a file</source>
        <translation>Enregistrer les profils, avec leurs clés, dans un fichier</translation>
    </message>
    <message>
        <source>The active profile</source>
        <translation>Le profil actif</translation>
    </message>
</context>
<context>
    <name>ProfileDrawer</name>
    <message>
        <source>Profiles</source>
        <translation>Profils</translation>
    </message>
    <message>
        <source>Profile drawer</source>
        <translation>Volet des profils</translation>
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
        <translation>Paramètres du profil</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>Profile &amp;name</source>
        <translation>&amp;Nom du profil</translation>
    </message>
    <message>
        <source>Profile name</source>
        <translation>Nom du profil</translation>
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
        <translation>Le nom du réseau ; choisissez un réseau à portée ou saisissez un nom</translation>
    </message>
    <message>
        <source>Network &amp;type</source>
        <translation>&amp;Type de réseau</translation>
    </message>
    <message>
        <source>Network type</source>
        <translation>Type de réseau</translation>
    </message>
    <message>
        <source>&amp;Channel</source>
        <translation>&amp;Canal</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Canal</translation>
    </message>
    <message>
        <source>&amp;Preamble</source>
        <translation>&amp;Préambule</translation>
    </message>
    <message>
        <source>Preamble</source>
        <translation>Préambule</translation>
    </message>
    <message>
        <source>Long</source>
        <translation>Long</translation>
    </message>
    <message>
        <source>Short</source>
        <translation>Court</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Transmit p&amp;ower</source>
        <translation>&amp;Puissance d’émission</translation>
    </message>
    <message>
        <source>Transmit power</source>
        <translation>Puissance d’émission</translation>
    </message>
    <message>
        <source>Power mode</source>
        <translation>Mode d’alimentation</translation>
    </message>
    <message>
        <source>Constantly &amp;awake (CAM)</source>
        <translation>Toujours &amp;actif (CAM)</translation>
    </message>
    <message>
        <source>Constantly awake (CAM)</source>
        <translation>Toujours actif (CAM)</translation>
    </message>
    <message>
        <source>Power sa&amp;ve mode</source>
        <translation>Mode d’é&amp;conomie d’énergie</translation>
    </message>
    <message>
        <source>Power save mode</source>
        <translation>Mode d’économie d’énergie</translation>
    </message>
    <message>
        <source>Constantly awake on A&amp;C power</source>
        <translation>Toujours actif sur &amp;secteur</translation>
    </message>
    <message>
        <source>Constantly awake on AC power</source>
        <translation>Toujours actif sur secteur</translation>
    </message>
    <message>
        <source>&amp;RTS threshold</source>
        <translation>Seuil &amp;RTS</translation>
    </message>
    <message>
        <source>RTS threshold</source>
        <translation>Seuil RTS</translation>
    </message>
    <message>
        <source>RTS threshold slider</source>
        <translation>Curseur du seuil RTS</translation>
    </message>
    <message>
        <source>RTS threshold value</source>
        <translation>Valeur du seuil RTS</translation>
    </message>
    <message>
        <source>&amp;Fragmentation threshold</source>
        <translation>Seuil de &amp;fragmentation</translation>
    </message>
    <message>
        <source>Fragmentation threshold</source>
        <translation>Seuil de fragmentation</translation>
    </message>
    <message>
        <source>Fragmentation threshold slider</source>
        <translation>Curseur du seuil de fragmentation</translation>
    </message>
    <message>
        <source>Fragmentation threshold value</source>
        <translation>Valeur du seuil de fragmentation</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>Sécurité</translation>
    </message>
    <message>
        <source>Au&amp;thentication</source>
        <translation>Au&amp;thentification</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>Authentification</translation>
    </message>
    <message>
        <source>&amp;Encryption</source>
        <translation>&amp;Chiffrement</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>Chiffrement</translation>
    </message>
    <message>
        <source>Key &amp;1</source>
        <translation>Clé &amp;1</translation>
    </message>
    <message>
        <source>Key 1</source>
        <translation>Clé 1</translation>
    </message>
    <message>
        <source>The key used for sending</source>
        <translation>La clé utilisée pour l’émission</translation>
    </message>
    <message>
        <source>Key 1 type</source>
        <translation>Type de la clé 1</translation>
    </message>
    <message>
        <source>Key &amp;2</source>
        <translation>Clé &amp;2</translation>
    </message>
    <message>
        <source>Key 2</source>
        <translation>Clé 2</translation>
    </message>
    <message>
        <source>Key 2 type</source>
        <translation>Type de la clé 2</translation>
    </message>
    <message>
        <source>Key &amp;3</source>
        <translation>Clé &amp;3</translation>
    </message>
    <message>
        <source>Key 3</source>
        <translation>Clé 3</translation>
    </message>
    <message>
        <source>Key 3 type</source>
        <translation>Type de la clé 3</translation>
    </message>
    <message>
        <source>Key &amp;4</source>
        <translation>Clé &amp;4</translation>
    </message>
    <message>
        <source>Key 4</source>
        <translation>Clé 4</translation>
    </message>
    <message>
        <source>Key 4 type</source>
        <translation>Type de la clé 4</translation>
    </message>
    <message>
        <source>&amp;Pre-shared key</source>
        <translation>Clé &amp;pré-partagée</translation>
    </message>
    <message>
        <source>Pre-shared key</source>
        <translation>Clé pré-partagée</translation>
    </message>
    <message>
        <source>8 to 63 characters, or 64 hexadecimal digits</source>
        <translation>8 à 63 caractères, ou 64 chiffres hexadécimaux</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
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
        <translation>Le profil n’a pas pu être enregistré.</translation>
    </message>
    <message>
        <source>Please keyin the SSID</source>
        <translation>Veuillez saisir le SSID</translation>
    </message>
</context>
<context>
    <name>ProfileExchangeActions</name>
    <message>
        <source>Property lists (*.plist)</source>
        <translation>Listes de propriétés (*.plist)</translation>
    </message>
    <message>
        <source>Profiles and Wi-Fi settings (*.plist *.conf *.nmconnection);;All files (*)</source>
        <translation>Profils et paramètres Wi-Fi (*.plist *.conf *.nmconnection);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Export Profiles</source>
        <translation>Exporter les profils</translation>
    </message>
    <message>
        <source>The profiles could not be exported.</source>
        <translation>Les profils n’ont pas pu être exportés.</translation>
    </message>
    <message>
        <source>Import Profiles</source>
        <translation>Importer des profils</translation>
    </message>
    <message>
        <source>The file could not be imported.</source>
        <translation>Le fichier n’a pas pu être importé.</translation>
    </message>
    <message>
        <source>No profile was imported.</source>
        <translation>Aucun profil n’a été importé.</translation>
    </message>
    <message>
        <source>Imported 1 profile.</source>
        <translation>1 profil importé.</translation>
    </message>
    <message>
        <source>Imported %1 profiles.</source>
        <translation>%1 profils importés.</translation>
    </message>
</context>
<context>
    <name>ProfileImport</name>
    <message>
        <source>profile %1</source>
        <translation>profil %1</translation>
    </message>
    <message>
        <source>its SSID is empty or longer than 32 bytes</source>
        <translation>le SSID est vide ou dépasse 32 octets</translation>
    </message>
    <message>
        <source>its network type is unknown</source>
        <translation>le type de réseau est inconnu</translation>
    </message>
    <message>
        <source>its authentication or encryption is unknown</source>
        <translation>authentification ou chiffrement inconnu</translation>
    </message>
    <message>
        <source>an ad hoc network takes open authentication only</source>
        <translation>un réseau ad hoc n’accepte que l’authentification ouverte</translation>
    </message>
    <message>
        <source>its ad hoc channel is not a 2.4 GHz channel</source>
        <translation>le canal ad hoc n’est pas un canal 2,4 GHz</translation>
    </message>
    <message>
        <source>its WEP key %1 has an unknown key type</source>
        <translation>la clé WEP %1 a un type de clé inconnu</translation>
    </message>
    <message>
        <source>its default WEP key is not key 1 to 4</source>
        <translation>la clé WEP par défaut n’est pas la clé 1 à 4</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>le fichier n’existe pas</translation>
    </message>
    <message>
        <source>Replaced %1 (%2)</source>
        <translation>%1 (%2) remplacé</translation>
    </message>
    <message>
        <source>Imported %1 (%2)</source>
        <translation>%1 (%2) importé</translation>
    </message>
    <message>
        <source>Imported %1 (%2) as %3: the name %1 is taken</source>
        <translation>%1 (%2) importé sous le nom %3 : le nom %1 est déjà pris</translation>
    </message>
    <message>
        <source>Skipped %1 of %2: %3</source>
        <translation>%1 de %2 ignoré : %3</translation>
    </message>
    <message>
        <source>Skipped %1 (%2) of %3: %4</source>
        <translation>%1 (%2) de %3 ignoré : %4</translation>
    </message>
</context>
<context>
    <name>ProfileList</name>
    <message>
        <source>The profile has been changed or deleted by another program.</source>
        <translation>Le profil a été modifié ou supprimé par un autre programme.</translation>
    </message>
    <message>
        <source>The profiles could not be saved.</source>
        <translation>Les profils n’ont pas pu être enregistrés.</translation>
    </message>
    <message>
        <source>The active profile could not be saved.</source>
        <translation>Le profil actif n’a pas pu être enregistré.</translation>
    </message>
</context>
<context>
    <name>QrJoin</name>
    <message>
        <source>The QR code is for an open network, but %1 is a WEP network.</source>
        <translation>Le code QR est destiné à un réseau ouvert, mais %1 est un réseau WEP.</translation>
    </message>
    <message>
        <source>The QR code is for an open network, but %1 is a WPA network.</source>
        <translation>Le code QR est destiné à un réseau ouvert, mais %1 est un réseau WPA.</translation>
    </message>
    <message>
        <source>The QR code is for a WEP network, but %1 is an open network.</source>
        <translation>Le code QR est destiné à un réseau WEP, mais %1 est un réseau ouvert.</translation>
    </message>
    <message>
        <source>The QR code is for a WEP network, but %1 is a WPA network.</source>
        <translation>Le code QR est destiné à un réseau WEP, mais %1 est un réseau WPA.</translation>
    </message>
    <message>
        <source>The QR code is for a WPA network, but %1 is an open network.</source>
        <translation>Le code QR est destiné à un réseau WPA, mais %1 est un réseau ouvert.</translation>
    </message>
    <message>
        <source>The QR code is for a WPA network, but %1 is a WEP network.</source>
        <translation>Le code QR est destiné à un réseau WPA, mais %1 est un réseau WEP.</translation>
    </message>
    <message>
        <source>No network named %1 is in range.</source>
        <translation>Aucun réseau nommé %1 n’est à portée.</translation>
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
        <translation>%1 Mio</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 octets</translation>
    </message>
    <message>
        <source>it cannot be opened: %1</source>
        <translation>impossible de l’ouvrir : %1</translation>
    </message>
    <message>
        <source>it cannot be examined: %1</source>
        <translation>impossible de l’examiner : %1</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>it is larger than %1</source>
        <translation>taille supérieure à %1</translation>
    </message>
    <message>
        <source>it cannot be read: %1</source>
        <translation>impossible de le lire : %1</translation>
    </message>
</context>
<context>
    <name>ShareProfileController</name>
    <message>
        <source>Share Profile</source>
        <translation>Partager le profil</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Réseau</translation>
    </message>
    <message>
        <source>Scan the code with a phone&apos;s camera to join the network.</source>
        <translation>Scannez le code avec l’appareil photo d’un téléphone pour rejoindre le réseau.</translation>
    </message>
    <message>
        <source>Show &amp;key</source>
        <translation>Afficher la &amp;clé</translation>
    </message>
    <message>
        <source>Show key</source>
        <translation>Afficher la clé</translation>
    </message>
    <message>
        <source>The QR code and its text hold the network&apos;s key</source>
        <translation>Le code QR et son texte contiennent la clé du réseau</translation>
    </message>
    <message>
        <source>The QR code holds the network&apos;s key. Turn on Show key to show it.</source>
        <translation>Le code QR contient la clé du réseau. Activez « Afficher la clé » pour l’afficher.</translation>
    </message>
    <message>
        <source>QR code</source>
        <translation>Code QR</translation>
    </message>
    <message>
        <source>QR text</source>
        <translation>Texte QR</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>%1 (open, hidden)</source>
        <translation>%1 (ouvert, masqué)</translation>
    </message>
    <message>
        <source>%1 (open)</source>
        <translation>%1 (ouvert)</translation>
    </message>
    <message>
        <source>%1 (WEP, hidden)</source>
        <translation>%1 (WEP, masqué)</translation>
    </message>
    <message>
        <source>%1 (WEP)</source>
        <translation>%1 (WEP)</translation>
    </message>
    <message>
        <source>%1 (WPA, hidden)</source>
        <translation>%1 (WPA, masqué)</translation>
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
        <translation>pas encore de mesures</translation>
    </message>
    <message>
        <source>not connected</source>
        <translation>non connecté</translation>
    </message>
    <message>
        <source>now %1, lowest %2, highest %3, mean %4</source>
        <translation>actuelle %1, minimale %2, maximale %3, moyenne %4</translation>
    </message>
    <message>
        <source>Link quality over the last 1 minute: %1</source>
        <translation>Qualité de la liaison sur la dernière minute : %1</translation>
    </message>
    <message>
        <source>Link quality over the last %1 minutes: %2</source>
        <translation>Qualité de la liaison sur les %1 dernières minutes : %2</translation>
    </message>
</context>
<context>
    <name>SignalHistoryGraph</name>
    <message>
        <source>Link quality history</source>
        <translation>Historique de la qualité de la liaison</translation>
    </message>
    <message>
        <source>%1 min ago</source>
        <translation>il y a %1 min</translation>
    </message>
    <message>
        <source>now</source>
        <translation>maintenant</translation>
    </message>
</context>
<context>
    <name>SiteSurveyController</name>
    <message>
        <source>Site Survey</source>
        <translation>Réseaux disponibles</translation>
    </message>
    <message>
        <source>Networks in range</source>
        <translation>Réseaux à portée</translation>
    </message>
    <message>
        <source>Select a network, then press Enter or Connect to join it.</source>
        <translation>Sélectionnez un réseau, puis appuyez sur Entrée ou sur Se connecter pour le rejoindre.</translation>
    </message>
    <message>
        <source>&amp;Scan</source>
        <translation>&amp;Rechercher</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation>Se &amp;connecter</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Se connecter</translation>
    </message>
    <message>
        <source>&amp;Add to Profile</source>
        <translation>&amp;Ajouter au profil</translation>
    </message>
    <message>
        <source>Add to Profile</source>
        <translation>Ajouter au profil</translation>
    </message>
    <message>
        <source>Connect to &amp;Hidden Network…</source>
        <translation>Se connecter à un réseau &amp;masqué…</translation>
    </message>
    <message>
        <source>Connect to Hidden Network</source>
        <translation>Se connecter à un réseau masqué</translation>
    </message>
    <message>
        <source>Join from &amp;QR text…</source>
        <translation>Rejoindre par texte &amp;QR…</translation>
    </message>
    <message>
        <source>Join from QR text</source>
        <translation>Rejoindre par texte QR</translation>
    </message>
    <message>
        <source>Networks in range, one row per network</source>
        <translation>Réseaux à portée, une ligne par réseau</translation>
    </message>
    <message>
        <source>Expand a network to see its access points. Select one, then press Enter or Connect to join it.</source>
        <translation>Dépliez un réseau pour voir ses points d’accès. Sélectionnez-en un, puis appuyez sur Entrée ou sur Se connecter pour le rejoindre.</translation>
    </message>
    <message>
        <source>&amp;Group by network</source>
        <translation>&amp;Grouper par réseau</translation>
    </message>
    <message>
        <source>Group by network</source>
        <translation>Grouper par réseau</translation>
    </message>
</context>
<context>
    <name>StoredIndexes</name>
    <message>
        <source>NONE</source>
        <translation>AUCUN</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvert</translation>
    </message>
    <message>
        <source>Shared</source>
        <translation>Partagé</translation>
    </message>
    <message>
        <source>Ad Hoc</source>
        <translation>Ad hoc</translation>
    </message>
    <message>
        <source>Infrastructure</source>
        <translation>Infrastructure</translation>
    </message>
    <message>
        <source>Hexadecimal</source>
        <translation>Hexadécimal</translation>
    </message>
</context>
<context>
    <name>SurveyConnect</name>
    <message>
        <source>This network uses %1 security, which this adapter doesn&apos;t support.</source>
        <translation>Ce réseau utilise la sécurité %1, que cet adaptateur ne prend pas en charge.</translation>
    </message>
    <message>
        <source>No selected item</source>
        <translation>Aucun élément sélectionné</translation>
    </message>
    <message>
        <source>Please select an item to connect to.</source>
        <translation>Veuillez sélectionner l’élément auquel vous connecter.</translation>
    </message>
    <message>
        <source>Please select an item to delete.</source>
        <translation>Veuillez sélectionner l’élément à supprimer.</translation>
    </message>
    <message>
        <source>WPA-Enterprise / WPA2-Enterprise isn&apos;t supported yet!!!</source>
        <translation>WPA-Enterprise / WPA2-Enterprise n’est pas encore pris en charge !</translation>
    </message>
    <message>
        <source>WPA-NONE of Adhoc doesn&apos;t supported!!!</source>
        <translation>WPA-NONE en mode ad hoc n’est pas pris en charge !</translation>
    </message>
    <message>
        <source>This access point has advanced security settings. Please add the profile manually by button [Add to Profile]</source>
        <translation>Ce point d’accès utilise des paramètres de sécurité avancés. Veuillez ajouter le profil manuellement avec le bouton [Ajouter au profil].</translation>
    </message>
    <message>
        <source>5GHz band of Adhoc isn&apos;t supported yet!!!</source>
        <translation>La bande 5 GHz n&apos;est pas encore prise en charge en mode ad hoc !</translation>
    </message>
</context>
<context>
    <name>WEPSettingController</name>
    <message>
        <source>Network Security</source>
        <translation>Sécurité du réseau</translation>
    </message>
    <message>
        <source>Au&amp;thentication</source>
        <translation>Au&amp;thentification</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>Authentification</translation>
    </message>
    <message>
        <source>&amp;Encryption</source>
        <translation>&amp;Chiffrement</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>Chiffrement</translation>
    </message>
    <message>
        <source>Key &amp;1</source>
        <translation>Clé &amp;1</translation>
    </message>
    <message>
        <source>Key 1</source>
        <translation>Clé 1</translation>
    </message>
    <message>
        <source>The key used for sending</source>
        <translation>La clé utilisée pour l’émission</translation>
    </message>
    <message>
        <source>Key 1 type</source>
        <translation>Type de la clé 1</translation>
    </message>
    <message>
        <source>Key &amp;2</source>
        <translation>Clé &amp;2</translation>
    </message>
    <message>
        <source>Key 2</source>
        <translation>Clé 2</translation>
    </message>
    <message>
        <source>Key 2 type</source>
        <translation>Type de la clé 2</translation>
    </message>
    <message>
        <source>Key &amp;3</source>
        <translation>Clé &amp;3</translation>
    </message>
    <message>
        <source>Key 3</source>
        <translation>Clé 3</translation>
    </message>
    <message>
        <source>Key 3 type</source>
        <translation>Type de la clé 3</translation>
    </message>
    <message>
        <source>Key &amp;4</source>
        <translation>Clé &amp;4</translation>
    </message>
    <message>
        <source>Key 4</source>
        <translation>Clé 4</translation>
    </message>
    <message>
        <source>Key 4 type</source>
        <translation>Type de la clé 4</translation>
    </message>
    <message>
        <source>&amp;Pre-shared key</source>
        <translation>Clé &amp;pré-partagée</translation>
    </message>
    <message>
        <source>Pre-shared key</source>
        <translation>Clé pré-partagée</translation>
    </message>
    <message>
        <source>8 to 63 characters, or 64 hexadecimal digits</source>
        <translation>8 à 63 caractères, ou 64 chiffres hexadécimaux</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
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
        <translation>Un champ du texte QR n’est pas fermé par « ; ».</translation>
    </message>
    <message>
        <source>The QR text holds a field without a name (&quot;%1&quot;).</source>
        <translation>Le texte QR contient un champ sans nom (« %1 »).</translation>
    </message>
    <message>
        <source>The QR text gives the field %1 twice.</source>
        <translation>Le texte QR donne deux fois le champ %1.</translation>
    </message>
    <message>
        <source>The field %1 of the QR text ends in a lone backslash.</source>
        <translation>Le champ %1 du texte QR se termine par une barre oblique inverse isolée.</translation>
    </message>
    <message>
        <source>The QR text goes on after its end (&quot;;;&quot;).</source>
        <translation>Le texte QR continue après sa fin (« ;; »).</translation>
    </message>
    <message>
        <source>The network uses WPA3-SAE, which this adapter does not support.</source>
        <translation>Le réseau utilise WPA3-SAE, que cet adaptateur ne prend pas en charge.</translation>
    </message>
    <message>
        <source>The network uses 802.1X (WPA-Enterprise), which this adapter does not support.</source>
        <translation>Le réseau utilise 802.1X (WPA-Enterprise), que cet adaptateur ne prend pas en charge.</translation>
    </message>
    <message>
        <source>The network uses OWE (Enhanced Open), which this adapter does not support.</source>
        <translation>Le réseau utilise OWE (Enhanced Open), que cet adaptateur ne prend pas en charge.</translation>
    </message>
    <message>
        <source>The QR text is longer than %1 characters.</source>
        <translation>Le texte QR dépasse %1 caractères.</translation>
    </message>
    <message>
        <source>This is not a Wi-Fi QR text: it does not begin with &quot;WIFI:&quot;.</source>
        <translation>Ce n’est pas un texte QR Wi-Fi : il ne commence pas par « WIFI: ».</translation>
    </message>
    <message>
        <source>The QR text names an unknown security type (T:%1).</source>
        <translation>Le texte QR indique un type de sécurité inconnu (T:%1).</translation>
    </message>
    <message>
        <source>The QR text&apos;s field R is not a hexadecimal number.</source>
        <translation>Le champ R du texte QR n’est pas un nombre hexadécimal.</translation>
    </message>
    <message>
        <source>The network accepts WPA3-SAE only, which this adapter does not support.</source>
        <translation>Le réseau n’accepte que WPA3-SAE, que cet adaptateur ne prend pas en charge.</translation>
    </message>
    <message>
        <source>The QR text names no network (S:).</source>
        <translation>Le texte QR n’indique aucun réseau (S:).</translation>
    </message>
    <message>
        <source>The network name in the QR text is longer than 32 bytes.</source>
        <translation>Le nom du réseau dans le texte QR dépasse 32 octets.</translation>
    </message>
    <message>
        <source>The QR text gives a key (P:) for an open network (T:nopass).</source>
        <translation>Le texte QR donne une clé (P:) pour un réseau ouvert (T:nopass).</translation>
    </message>
    <message>
        <source>The QR text gives no key (P:) for a WEP network.</source>
        <translation>Le texte QR ne donne aucune clé (P:) pour un réseau WEP.</translation>
    </message>
    <message>
        <source>The QR text gives no key (P:) for a WPA network.</source>
        <translation>Le texte QR ne donne aucune clé (P:) pour un réseau WPA.</translation>
    </message>
    <message>
        <source>The QR text&apos;s field H is neither true nor false.</source>
        <translation>Le champ H du texte QR ne vaut ni true ni false.</translation>
    </message>
    <message>
        <source>An ad hoc profile cannot be shared as a QR code: phones join access points only.</source>
        <translation>Un profil ad hoc ne peut pas être partagé par code QR : les téléphones ne rejoignent que des points d’accès.</translation>
    </message>
    <message>
        <source>The profile&apos;s network name is empty or longer than 32 bytes.</source>
        <translation>Le nom de réseau du profil est vide ou dépasse 32 octets.</translation>
    </message>
    <message>
        <source>The profile has no pre-shared key to share.</source>
        <translation>Le profil n’a aucune clé pré-partagée à partager.</translation>
    </message>
    <message>
        <source>The profile&apos;s default WEP key (key %1) is empty.</source>
        <translation>La clé WEP par défaut du profil (clé %1) est vide.</translation>
    </message>
</context>
<context>
    <name>WpaSupplicantConfig</name>
    <message>
        <source>network block at line %1</source>
        <translation>bloc network à la ligne %1</translation>
    </message>
    <message>
        <source>line %1 is longer than %2 bytes</source>
        <translation>la ligne %1 dépasse %2 octets</translation>
    </message>
    <message>
        <source>it has no ssid</source>
        <translation>aucun ssid</translation>
    </message>
    <message>
        <source>its ssid is neither quoted text nor hexadecimal</source>
        <translation>ssid n’est ni un texte entre guillemets ni hexadécimal</translation>
    </message>
    <message>
        <source>its ssid is empty or longer than 32 bytes</source>
        <translation>ssid est vide ou dépasse 32 octets</translation>
    </message>
    <message>
        <source>its bssid is no MAC address</source>
        <translation>le bssid n’est pas une adresse MAC</translation>
    </message>
    <message>
        <source>it is an access point (mode=2), not a network to join</source>
        <translation>c’est un point d’accès (mode=2), pas un réseau à rejoindre</translation>
    </message>
    <message>
        <source>it is a Wi-Fi Direct group (mode=%1)</source>
        <translation>c’est un groupe Wi-Fi Direct (mode=%1)</translation>
    </message>
    <message>
        <source>it is a mesh network (mode=5)</source>
        <translation>c’est un réseau maillé (mode=5)</translation>
    </message>
    <message>
        <source>its mode is not a number from 0 to 5</source>
        <translation>le mode n’est pas un nombre de 0 à 5</translation>
    </message>
    <message>
        <source>its frequency is not a number</source>
        <translation>la fréquence n’est pas un nombre</translation>
    </message>
    <message>
        <source>it uses WPA-NONE (ad hoc WPA), which is not supported</source>
        <translation>utilise WPA-NONE (WPA ad hoc), qui n’est pas pris en charge</translation>
    </message>
    <message>
        <source>its psk is neither a quoted passphrase nor hexadecimal digits</source>
        <translation>psk n’est ni une phrase secrète entre guillemets ni des chiffres hexadécimaux</translation>
    </message>
    <message>
        <source>its psk is kept outside the file (%1)</source>
        <translation>psk est conservé hors du fichier (%1)</translation>
    </message>
    <message>
        <source>its proto names neither WPA nor RSN</source>
        <translation>proto n’indique ni WPA ni RSN</translation>
    </message>
    <message>
        <source>its pairwise ciphers are neither CCMP nor TKIP (GCMP is not supported)</source>
        <translation>les chiffrements pairwise ne sont ni CCMP ni TKIP (GCMP n’est pas pris en charge)</translation>
    </message>
    <message>
        <source>its wep_key%1 is neither quoted nor hexadecimal</source>
        <translation>wep_key%1 n’est ni entre guillemets ni hexadécimal</translation>
    </message>
    <message>
        <source>its wep_tx_keyidx is not a number</source>
        <translation>wep_tx_keyidx n’est pas un nombre</translation>
    </message>
    <message>
        <source>it uses LEAP (802.1X), which is not supported</source>
        <translation>utilise LEAP (802.1X), qui n’est pas pris en charge</translation>
    </message>
    <message>
        <source>it uses WPA3-SAE, which this adapter does not support</source>
        <translation>utilise WPA3-SAE, que cet adaptateur ne prend pas en charge</translation>
    </message>
    <message>
        <source>it uses OWE (Enhanced Open), which this adapter does not support</source>
        <translation>utilise OWE (Enhanced Open), que cet adaptateur ne prend pas en charge</translation>
    </message>
    <message>
        <source>it uses 802.1X (WPA-Enterprise), which this adapter does not support</source>
        <translation>utilise 802.1X (WPA-Enterprise), que cet adaptateur ne prend pas en charge</translation>
    </message>
    <message>
        <source>it uses WPA-PSK but gives no psk</source>
        <translation>utilise WPA-PSK mais ne donne aucun psk</translation>
    </message>
    <message>
        <source>its key_mgmt names nothing this adapter supports</source>
        <translation>key_mgmt n’indique rien que cet adaptateur prenne en charge</translation>
    </message>
    <message>
        <source>line %1 is neither a setting (name=value) nor the start of a block</source>
        <translation>la ligne %1 n’est ni un réglage (nom=valeur) ni le début d’un bloc</translation>
    </message>
    <message>
        <source>line %1 has a malformed quoted value</source>
        <translation>la ligne %1 contient une valeur entre guillemets mal formée</translation>
    </message>
    <message>
        <source>line %1 is no setting (name=value)</source>
        <translation>la ligne %1 n’est pas un réglage (nom=valeur)</translation>
    </message>
    <message>
        <source>the block is not closed by &quot;}&quot;</source>
        <translation>le bloc n’est pas fermé par « } »</translation>
    </message>
    <message>
        <source>it holds no settings and no network blocks</source>
        <translation>aucun réglage et aucun bloc network</translation>
    </message>
</context>
</TS>
