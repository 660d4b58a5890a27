<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>CComposite</name>
    <message>
        <location filename="../../canvas/ccomposite.cpp" line="+273"/>
        <location line="+63"/>
        <source>the panel file</source>
        <translation>die Paneldatei</translation>
    </message>
    <message>
        <location line="-56"/>
        <source>the module template</source>
        <translation>die Modulvorlage</translation>
    </message>
    <message>
        <location line="+17"/>
        <location line="+5"/>
        <source>%1 cannot be read</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>the panel file cannot be read</source>
        <translation>die Paneldatei kann nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is not a panel file</source>
        <translation>es ist keine Paneldatei</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the panel file holds no panel</source>
        <translation>die Paneldatei enthält kein Panel</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>controls</source>
        <translation>Bedienelemente</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>panels</source>
        <translation>Panels</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>scenes</source>
        <translation>Szenen</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../../app/commandline.cpp" line="+20"/>
        <source>Remote control panels for audio devices.</source>
        <translation>Fernbedienfelder für Audiogeräte.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Open the built-in demonstration project.</source>
        <translation>Das eingebaute Vorführprojekt öffnen.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Open the built-in sample &lt;name&gt; (%1).</source>
        <translation>Das eingebaute Beispiel &lt;name&gt; öffnen (%1).</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>name</source>
        <translation>name</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show the window full screen.</source>
        <translation>Das Fenster im Vollbild zeigen.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Write debug output.</source>
        <translation>Debug-Ausgaben schreiben.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>project</source>
        <translation>projekt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A project archive (.cpz), a received download (.cpn) or a panel file (.cpf).</source>
        <translation>Ein Projektarchiv (.cpz), ein empfangener Download (.cpn) oder eine Paneldatei (.cpf).</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>[project]</source>
        <translation>[projekt]</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Name one project only: a file, --demo or --sample.</source>
        <translation>Nur ein Projekt angeben: eine Datei, --demo oder --sample.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>There is no sample &quot;%1&quot;; the samples are: %2.</source>
        <translation>Es gibt kein Beispiel „%1“; die Beispiele sind: %2.</translation>
    </message>
    <message>
        <location filename="../../app/main.cpp" line="+35"/>
        <source>Try &quot;%1 --help&quot;.</source>
        <translation>Siehe „%1 --help“.</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>The project &quot;%1&quot; could not be opened: %2.</source>
        <translation>Das Projekt „%1“ konnte nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Project not opened</source>
        <translation>Projekt nicht geöffnet</translation>
    </message>
</context>
<context>
    <name>DQmlMessageDialog</name>
    <message>
        <location filename="../../model/dqmlmessagedialog.cpp" line="+26"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+81"/>
        <source>Receive Control Panel...</source>
        <translation>Bedienfeld empfangen...</translation>
    </message>
</context>
<context>
    <name>HChassis</name>
    <message>
        <location filename="../../hardware/hchassis.cpp" line="+245"/>
        <source>%1%2
IP Address: %3
Port: %4</source>
        <translation>%1%2
IP-Adresse: %3
Port: %4</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>never</source>
        <translation>nie</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 s ago</source>
        <translation>vor %1 s</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>
State: %1
Last reply: %2
Failed messages: %3</source>
        <translation>
Zustand: %1
Letzte Antwort: %2
Fehlgeschlagene Nachrichten: %3</translation>
    </message>
</context>
<context>
    <name>HNode</name>
    <message>
        <location filename="../../hardware/haudioio.cpp" line="+14"/>
        <location filename="../../hardware/hnvalink.cpp" line="+9"/>
        <source>Digital I/O</source>
        <translation>Digital-E/A</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PSTN I/O</source>
        <translation>PSTN-E/A</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>VoIP I/O</source>
        <translation>VoIP-E/A</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>USB I/O</source>
        <translation>USB-E/A</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Analog I/O</source>
        <translation>Analog-E/A</translation>
    </message>
    <message>
        <location filename="../../hardware/hblock.cpp" line="+15"/>
        <source>Blocks</source>
        <translation>Blöcke</translation>
    </message>
    <message>
        <location filename="../../hardware/hechocanel.cpp" line="+15"/>
        <source>Echo Cancellation</source>
        <translation>Echounterdrückung</translation>
    </message>
    <message>
        <location filename="../../hardware/hgroup.cpp" line="+20"/>
        <location filename="../../hardware/xvxjhandler.cpp" line="+35"/>
        <source>Groups</source>
        <translation>Gruppen</translation>
    </message>
    <message>
        <location filename="../../hardware/hparameterset.cpp" line="+20"/>
        <location filename="../../hardware/hparametersetlist.cpp" line="+34"/>
        <location filename="../../hardware/xvxjhandler.cpp" line="+2"/>
        <source>ParameterSets</source>
        <translation>Parametersätze</translation>
    </message>
    <message>
        <location filename="../../hardware/hparametersetlist.cpp" line="-27"/>
        <location filename="../../hardware/xvxjhandler.cpp" line="+3"/>
        <source>ParameterSetLists</source>
        <translation>Parametersatzlisten</translation>
    </message>
    <message>
        <location filename="../../hardware/hrcgroup.cpp" line="+19"/>
        <location filename="../../hardware/xvxjhandler.cpp" line="-2"/>
        <source>RCGroups</source>
        <translation>Raumkombinationsgruppen</translation>
    </message>
    <message>
        <location line="+60"/>
        <location filename="../../hardware/hrcroom.cpp" line="+9"/>
        <source>RCRooms</source>
        <translation>Kombinierbare Räume</translation>
    </message>
</context>
<context>
    <name>HRCGroupInfo</name>
    <message>
        <location filename="../../hardware/hrcgroupinfo.cpp" line="+225"/>
        <source>Cannot add &apos;%1&apos; to the selected combination.</source>
        <translation>„%1“ kann der gewählten Kombination nicht hinzugefügt werden.</translation>
    </message>
</context>
<context>
    <name>IInterface</name>
    <message>
        <location filename="../../comm/iinterface.cpp" line="+13"/>
        <source> - Offline - Idle</source>
        <translation> - Offline - Ruht</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> - Offline - Connecting</source>
        <translation> - Offline - Verbindet</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> - Online - Running</source>
        <translation> - Online - In Betrieb</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> - Offline - Reconnecting</source>
        <translation> - Offline - Verbindet erneut</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> - Offline - Resetting</source>
        <translation> - Offline - Setzt zurück</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> - Unknown State</source>
        <translation> - Unbekannter Zustand</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>not connected</source>
        <translation>nicht verbunden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>connecting</source>
        <translation>verbindet</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>online</source>
        <translation>online</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>unreachable</source>
        <translation>nicht erreichbar</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>refused</source>
        <translation>abgewiesen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>resetting</source>
        <translation>setzt zurück</translation>
    </message>
</context>
<context>
    <name>MModel</name>
    <message>
        <location filename="../../model/mmodel.cpp" line="+92"/>
        <source>it is not a project archive, or the archive is damaged</source>
        <translation>es ist kein Projektarchiv, oder das Archiv ist beschädigt</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the archive holds no panel file</source>
        <translation>das Archiv enthält keine Paneldatei</translation>
    </message>
    <message>
        <location line="+200"/>
        <source>the panel file cannot be read</source>
        <translation>die Paneldatei kann nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the panel file gives no usable window size</source>
        <translation>die Paneldatei gibt keine brauchbare Fenstergröße an</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>The demonstration project is shown instead.</source>
        <translation>Stattdessen wird das Vorführprojekt gezeigt.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The project that was open before, &quot;%1&quot;, is shown again.</source>
        <translation>Das zuvor geöffnete Projekt „%1“ wird wieder gezeigt.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Project not opened</source>
        <translation>Projekt nicht geöffnet</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The project &quot;%1&quot; could not be opened: %2.</source>
        <translation>Das Projekt „%1“ konnte nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <location line="+124"/>
        <source>Nothing can be received: port %1 cannot be opened (%2).</source>
        <translation>Es kann nichts empfangen werden: Port %1 lässt sich nicht öffnen (%2).</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Waiting for the design tool to send a project to port %1 of this computer, at:
%2</source>
        <translation>Warte darauf, dass das Entwurfswerkzeug ein Projekt an Port %1 dieses Computers sendet, unter:
%2</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Receiving from %1...</source>
        <translation>Empfange von %1...</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Receiving from %1: %2 bytes so far.</source>
        <translation>Empfange von %1: bisher %2 Bytes.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>No project was received: %1

The project that was open stays open.</source>
        <translation>Es wurde kein Projekt empfangen: %1

Das geöffnete Projekt bleibt geöffnet.</translation>
    </message>
    <message>
        <location line="+212"/>
        <source>The project has no node %1.</source>
        <translation>Das Projekt hat keinen Knoten %1.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Nodes can be placed on the drop sites of a template panel only.</source>
        <translation>Knoten lassen sich nur auf den Ablageflächen eines Vorlagenpanels platzieren.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>This drop site takes &quot;%1&quot; only.</source>
        <translation>Diese Ablagefläche nimmt nur „%1“ an.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&quot;%1&quot; has no module template.</source>
        <translation>„%1“ hat keine Modulvorlage.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>the module template holds no control</source>
        <translation>die Modulvorlage enthält kein Bedienelement</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Node not placed</source>
        <translation>Knoten nicht platziert</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&quot;%1&quot; was not placed: %2.</source>
        <translation>„%1“ wurde nicht platziert: %2.</translation>
    </message>
    <message>
        <location line="+262"/>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Error - No link has been defined for this region.

Please set a link using the properties panel.</source>
        <translation>Fehler - Für diesen Bereich wurde keine Verknüpfung festgelegt.

Bitte legen Sie im Eigenschaftenfeld eine Verknüpfung fest.</translation>
    </message>
</context>
<context>
    <name>MProject</name>
    <message>
        <location filename="../../model/mproject.cpp" line="+77"/>
        <source>Facility
</source>
        <translation>Einrichtung
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Business Manager
</source>
        <translation>Geschäftsführung
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Engineer
</source>
        <translation>Techniker
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Customer
</source>
        <translation>Kunde
</translation>
    </message>
</context>
<context>
    <name>MQmlInterface</name>
    <message>
        <location filename="../../model/mqmlinterface.cpp" line="+87"/>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Copyright © Orvik. All rights reserved.</source>
        <translation>Copyright © Orvik. Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>No network information available.</source>
        <translation>Keine Netzwerkinformationen verfügbar.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>No network interfaces found.</source>
        <translation>Keine Netzwerkschnittstellen gefunden.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No network connection detected.</source>
        <translation>Keine Netzwerkverbindung erkannt.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mobile IP Address:

</source>
        <translation>Mobile IP-Adresse:

</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Receive Control Panel...</source>
        <translation>Bedienfeld empfangen...</translation>
    </message>
    <message>
        <location line="+120"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../../app/mainwindow.cpp" line="+46"/>
        <source>MainWindow</source>
        <translation>Veloxa Remote</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>About Veloxa Remote...,Project Information...,Network Status...,Receive...</source>
        <translation>Über Veloxa Remote...,Projektinformationen...,Netzwerkstatus...,Empfangen...</translation>
    </message>
</context>
<context>
    <name>PFileProtocol</name>
    <message>
        <location filename="../../comm/pfileprotocol.cpp" line="+19"/>
        <source>Nothing arrived for %1 seconds, so the transfer was given up.</source>
        <translation>%1 Sekunden lang kam nichts an, daher wurde die Übertragung aufgegeben.</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>

Try both re-installing and running this application with Administrator priveleges.</source>
        <translation>

Versuchen Sie, diese Anwendung neu zu installieren und mit Administratorrechten auszuführen.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Interface or Model is null.</source>
        <translation>Schnittstelle oder Modell fehlt.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Cannot open file at `%1` because %2</source>
        <translation>Die Datei `%1` kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The sender closed the connection without sending anything.</source>
        <translation>Der Absender hat die Verbindung geschlossen, ohne etwas zu senden.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>What arrived is not a project: %1.</source>
        <translation>Was ankam, ist kein Projekt: %1.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The previous download cannot be kept as %1.</source>
        <translation>Der vorige Download kann nicht als %1 aufbewahrt werden.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The download cannot be stored as %1.</source>
        <translation>Der Download kann nicht als %1 gespeichert werden.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The sender went on past %1 MiB, more than any project holds, so the transfer was stopped.</source>
        <translation>Der Absender sendete über %1 MiB hinaus, mehr als jedes Projekt umfasst, daher wurde die Übertragung abgebrochen.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The download cannot be written: %1</source>
        <translation>Der Download kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The receive was cancelled.</source>
        <translation>Der Empfang wurde abgebrochen.</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Sending to Mobile Device...</source>
        <translation>Sende an Mobilgerät...</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Abort</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../../formats/xskinhandler.cpp" line="+50"/>
        <source>the skin file</source>
        <translation>die Skin-Datei</translation>
    </message>
</context>
<context>
    <name>QmlActiveRoomCombo</name>
    <message>
        <location filename="../qmlcontrol/QmlActiveRoomCombo.qml" line="+20"/>
        <source>Combined rooms</source>
        <translation>Kombinierte Räume</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Combined w/ </source>
        <translation>Kombiniert mit </translation>
    </message>
</context>
<context>
    <name>QmlBounds</name>
    <message>
        <location filename="../qmlcontrol/QmlBounds.qml" line="+20"/>
        <source>Panel outline</source>
        <translation>Panelumriss</translation>
    </message>
</context>
<context>
    <name>QmlButton</name>
    <message>
        <location filename="../qmlcontrol/QmlButton.qml" line="+58"/>
        <location line="+106"/>
        <source>Setup</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <location line="-106"/>
        <source>Connection</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Button</source>
        <translation>Schaltfläche</translation>
    </message>
</context>
<context>
    <name>QmlCmdButton</name>
    <message>
        <location filename="../qmlcontrol/QmlCmdButton.qml" line="+34"/>
        <source>Command</source>
        <translation>Befehl</translation>
    </message>
</context>
<context>
    <name>QmlComboSelector</name>
    <message>
        <location filename="../qmlcontrol/QmlComboSelector.qml" line="+21"/>
        <source>Room combinations</source>
        <translation>Raumkombinationen</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Combination %1</source>
        <translation>Kombination %1</translation>
    </message>
</context>
<context>
    <name>QmlControlObject</name>
    <message>
        <location filename="../qml/objects/QmlControlObject.qml" line="+88"/>
        <source>Layout...</source>
        <translation>Layout...</translation>
    </message>
</context>
<context>
    <name>QmlDesktop</name>
    <message>
        <location filename="../qml/objects/QmlReceiveDialog.qml" line="+10"/>
        <source>Receive Control Panel...</source>
        <translation>Bedienfeld empfangen...</translation>
    </message>
</context>
<context>
    <name>QmlDialer</name>
    <message>
        <location filename="../qmlcontrol/QmlDialer.qml" line="+18"/>
        <source>Dialer</source>
        <translation>Wählfeld</translation>
    </message>
    <message>
        <location line="+266"/>
        <source>Enter a number</source>
        <translation>Nummer eingeben</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Backspace</source>
        <translation>Rücktaste</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Call</source>
        <translation>Anrufen</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>End</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Answer</source>
        <translation>Annehmen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Answer &amp; End</source>
        <translation>Annehmen &amp; Beenden</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Hold &amp; Answer</source>
        <translation>Halten &amp; Annehmen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Decline</source>
        <translation>Ablehnen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Hold</source>
        <translation>Halten</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Flash</source>
        <translation>Flash</translation>
    </message>
</context>
<context>
    <name>QmlDroplist</name>
    <message>
        <location filename="../qmlcontrol/QmlDroplist.qml" line="+34"/>
        <source>List</source>
        <translation>Liste</translation>
    </message>
</context>
<context>
    <name>QmlDropsite</name>
    <message>
        <location filename="../qmlcontrol/QmlDropsite.qml" line="+21"/>
        <source>Drop site</source>
        <translation>Ablagefläche</translation>
    </message>
    <message>
        <location line="+71"/>
        <source>Clear drop site</source>
        <translation>Ablagefläche leeren</translation>
    </message>
</context>
<context>
    <name>QmlFader</name>
    <message>
        <location filename="../qmlcontrol/QmlFader.qml" line="+60"/>
        <source>Fader</source>
        <translation>Fader</translation>
    </message>
</context>
<context>
    <name>QmlFrame</name>
    <message>
        <location filename="../qmlcontrol/QmlFrame.qml" line="+20"/>
        <source>Frame</source>
        <translation>Rahmen</translation>
    </message>
</context>
<context>
    <name>QmlImage</name>
    <message>
        <location filename="../qmlcontrol/QmlImage.qml" line="+20"/>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
</context>
<context>
    <name>QmlLabel</name>
    <message>
        <location filename="../qmlcontrol/QmlLabel.qml" line="+23"/>
        <source>Label</source>
        <translation>Beschriftung</translation>
    </message>
</context>
<context>
    <name>QmlLevelButtons</name>
    <message>
        <location filename="../qmlcontrol/QmlLevelButtons.qml" line="+35"/>
        <source>Level</source>
        <translation>Pegel</translation>
    </message>
</context>
<context>
    <name>QmlMessageDialog</name>
    <message>
        <location filename="../qml/objects/QmlMessageDialog.qml" line="+10"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>QmlMeter</name>
    <message>
        <location filename="../qmlcontrol/QmlMeter.qml" line="+27"/>
        <source>Level meter</source>
        <translation>Pegelanzeige</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
</context>
<context>
    <name>QmlMeterImage</name>
    <message>
        <location filename="../qmlcontrol/QmlMeterImage.qml" line="+20"/>
        <source>Level meter</source>
        <translation>Pegelanzeige</translation>
    </message>
</context>
<context>
    <name>QmlNodeList</name>
    <message>
        <location filename="../qml/objects/QmlNodeList.qml" line="+55"/>
        <source>Filter nodes</source>
        <translation>Knoten filtern</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Filter nodes: drag a row onto a drop site</source>
        <translation>Knoten filtern: eine Zeile auf eine Ablagefläche ziehen</translation>
    </message>
</context>
<context>
    <name>QmlPanelLink</name>
    <message>
        <location filename="../qmlcontrol/QmlPanelLink.qml" line="+57"/>
        <source>Panel link</source>
        <translation>Panelverknüpfung</translation>
    </message>
</context>
<context>
    <name>QmlRegion</name>
    <message>
        <location filename="../qmlcontrol/QmlRegion.qml" line="+44"/>
        <source>Region</source>
        <translation>Bereich</translation>
    </message>
</context>
<context>
    <name>QmlRoomSelector</name>
    <message>
        <location filename="../qmlcontrol/QmlRoomSelector.qml" line="+57"/>
        <source>Room</source>
        <translation>Raum</translation>
    </message>
</context>
<context>
    <name>QmlStatusBarObject</name>
    <message>
        <location filename="../qml/objects/QmlStatusBarObject.qml" line="+126"/>
        <source>Collections</source>
        <translation>Sammlungen</translation>
    </message>
</context>
<context>
    <name>QmlTextEdit</name>
    <message>
        <location filename="../qmlcontrol/QmlTextEdit.qml" line="+46"/>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
</context>
<context>
    <name>QmlTextLink</name>
    <message>
        <location filename="../qmlcontrol/QmlTextLink.qml" line="+39"/>
        <source>Preset</source>
        <translation>Voreinstellung</translation>
    </message>
</context>
<context>
    <name>QmlToolBarObject</name>
    <message>
        <location filename="../qml/objects/QmlToolBarObject.qml" line="+85"/>
        <source>Setup</source>
        <translation>Einstellungen</translation>
    </message>
</context>
<context>
    <name>VertexHandle</name>
    <message>
        <location filename="../qmlcontrol/VertexHandle.qml" line="+18"/>
        <source>Vertex %1</source>
        <translation>Eckpunkt %1</translation>
    </message>
</context>
<context>
    <name>WActiveCombo</name>
    <message>
        <location filename="../../controls/wactivecombo.cpp" line="+83"/>
        <source>Ballroom A</source>
        <translation>Ballsaal A</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Ballroom B</source>
        <translation>Ballsaal B</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Boardroom</source>
        <translation>Sitzungssaal</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Foyer</source>
        <translation>Foyer</translation>
    </message>
</context>
<context>
    <name>WButton</name>
    <message>
        <location filename="../../controls/wbutton.cpp" line="+220"/>
        <source>%1 UNMUTE</source>
        <translation>%1 EIN</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 MUTE</source>
        <translation>%1 STUMM</translation>
    </message>
</context>
<context>
    <name>WDialer</name>
    <message>
        <location filename="../../controls/wdialer.cpp" line="+17"/>
        <source>UNKNOWN</source>
        <translation>UNBEKANNT</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CONFERENCE</source>
        <translation>KONFERENZ</translation>
    </message>
    <message>
        <location line="+469"/>
        <source>Call Ended</source>
        <translation>Anruf beendet</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Incoming</source>
        <translation>Eingehend</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Active + Incoming</source>
        <translation>Aktiv + Eingehend</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Dialing</source>
        <translation>Wählt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Busy</source>
        <translation>Besetzt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Hold</source>
        <translation>Gehalten</translation>
    </message>
</context>
<context>
    <name>WRoomSelection</name>
    <message>
        <location filename="../../controls/wroomselection.cpp" line="+125"/>
        <source>Room Combine Failure</source>
        <translation>Raumkombination fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>WWidget</name>
    <message>
        <location filename="../../controls/wwidget.cpp" line="+283"/>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No properties for this control.</source>
        <translation>Dieses Bedienelement hat keine Eigenschaften.</translation>
    </message>
</context>
<context>
    <name>XVXJHandler</name>
    <message>
        <location filename="../../hardware/xvxjhandler.cpp" line="+66"/>
        <source>the designer project</source>
        <translation>das Designer-Projekt</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+8"/>
        <location line="+3"/>
        <source>%1 cannot be read</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <location line="-8"/>
        <source>devices, channels and blocks</source>
        <translation>Geräte, Kanäle und Blöcke</translation>
    </message>
    <message>
        <location line="+85"/>
        <source>the designer project is version %1, older than 4.2</source>
        <translation>das Designer-Projekt hat Version %1, älter als 4.2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Open Veloxa Designer File Error</source>
        <translation>Fehler beim Öffnen der Veloxa-Designer-Datei</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Veloxa Remote builder cannot open this file. (version: </source>
        <translation>Veloxa Remote builder kann diese Datei nicht öffnen. (Version: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>)

Veloxa Designer files saved in a version earlier than Veloxa v4.2 can&apos;t be opened. If your file is from an earlier version, please visit </source>
        <translation>)

Veloxa-Designer-Dateien, die mit einer Version vor Veloxa v4.2 gespeichert wurden, lassen sich nicht öffnen. Stammt Ihre Datei aus einer früheren Version, besuchen Sie bitte </translation>
    </message>
    <message>
        <location line="+3"/>
        <source> to download the latest version of Veloxa Designer.

Once you have installed the latest version of Veloxa Designer, open the design file and re-save it. This will update the file to the newest format which can then be opened in Veloxa Remote builder. Also ensure that your system devices have been updated to the latest firmware (System-&gt;Update Firmware). </source>
        <translation>, um die neueste Version von Veloxa Designer herunterzuladen.

Öffnen Sie nach der Installation der neuesten Version von Veloxa Designer die Entwurfsdatei und speichern Sie sie erneut. Dadurch wird die Datei in das neueste Format gebracht, das Veloxa Remote builder öffnen kann. Stellen Sie außerdem sicher, dass Ihre Systemgeräte die neueste Firmware haben (System-&gt;Update Firmware). </translation>
    </message>
</context>
<context>
    <name>XmlGuard</name>
    <message>
        <location filename="../../formats/xmlguard.cpp" line="+26"/>
        <source>%1 is not well-formed XML (line %2: %3)</source>
        <translation>%1 ist kein wohlgeformtes XML (Zeile %2: %3)</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>%1 cannot be read</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 is larger than %2 MB</source>
        <translation>%1 ist größer als %2 MB</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 holds a text or attribute value longer than %2 characters</source>
        <translation>%1 enthält einen Text oder Attributwert mit mehr als %2 Zeichen</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>%1 declares a document type or entities, which project files never do</source>
        <translation>%1 deklariert einen Dokumenttyp oder Entitäten, was Projektdateien nie tun</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 nests elements deeper than %2 levels</source>
        <translation>%1 verschachtelt Elemente tiefer als %2 Ebenen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 holds more than %2 elements</source>
        <translation>%1 enthält mehr als %2 Elemente</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 holds more than %2 %3</source>
        <translation>%1 enthält mehr als %2 %3</translation>
    </message>
</context>
</TS>
