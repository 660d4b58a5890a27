<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>CComposite</name>
    <message>
        <location filename="../../canvas/ccomposite.cpp" line="+273"/>
        <location line="+63"/>
        <source>the panel file</source>
        <translation>the panel file</translation>
    </message>
    <message>
        <location line="-56"/>
        <source>the module template</source>
        <translation>the module template</translation>
    </message>
    <message>
        <location line="+17"/>
        <location line="+5"/>
        <source>%1 cannot be read</source>
        <translation>%1 cannot be read</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>the panel file cannot be read</source>
        <translation>the panel file cannot be read</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it is not a panel file</source>
        <translation>it is not a panel file</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the panel file holds no panel</source>
        <translation>the panel file holds no panel</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>controls</source>
        <translation>controls</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>panels</source>
        <translation>panels</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>scenes</source>
        <translation>scenes</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../../app/commandline.cpp" line="+20"/>
        <source>Remote control panels for audio devices.</source>
        <translation>Remote control panels for audio devices.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Open the built-in demonstration project.</source>
        <translation>Open the built-in demonstration project.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Open the built-in sample &lt;name&gt; (%1).</source>
        <translation>Open the built-in sample &lt;name&gt; (%1).</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>name</source>
        <translation>name</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show the window full screen.</source>
        <translation>Show the window full screen.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Write debug output.</source>
        <translation>Write debug output.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>project</source>
        <translation>project</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A project archive (.cpz), a received download (.cpn) or a panel file (.cpf).</source>
        <translation>A project archive (.cpz), a received download (.cpn) or a panel file (.cpf).</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>[project]</source>
        <translation>[project]</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Name one project only: a file, --demo or --sample.</source>
        <translation>Name one project only: a file, --demo or --sample.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>There is no sample &quot;%1&quot;; the samples are: %2.</source>
        <translation>There is no sample &quot;%1&quot;; the samples are: %2.</translation>
    </message>
    <message>
        <location filename="../../app/main.cpp" line="+35"/>
        <source>Try &quot;%1 --help&quot;.</source>
        <translation>Try &quot;%1 --help&quot;.</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>The project &quot;%1&quot; could not be opened: %2.</source>
        <translation>The project &quot;%1&quot; could not be opened: %2.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Project not opened</source>
        <translation>Project not opened</translation>
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
        <translation>Receive Control Panel...</translation>
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
IP Address: %3
Port: %4</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>never</source>
        <translation>never</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 s ago</source>
        <translation>%1 s ago</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>
State: %1
Last reply: %2
Failed messages: %3</source>
        <translation>
State: %1
Last reply: %2
Failed messages: %3</translation>
    </message>
</context>
<context>
    <name>HNode</name>
    <message>
        <location filename="../../hardware/haudioio.cpp" line="+14"/>
        <location filename="../../hardware/hnvalink.cpp" line="+9"/>
        <source>Digital I/O</source>
        <translation>Digital I/O</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PSTN I/O</source>
        <translation>PSTN I/O</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>VoIP I/O</source>
        <translation>VoIP I/O</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>USB I/O</source>
        <translation>USB I/O</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Analog I/O</source>
        <translation>Analog I/O</translation>
    </message>
    <message>
        <location filename="../../hardware/hblock.cpp" line="+15"/>
        <source>Blocks</source>
        <translation>Blocks</translation>
    </message>
    <message>
        <location filename="../../hardware/hechocanel.cpp" line="+15"/>
        <source>Echo Cancellation</source>
        <translation>Echo Cancellation</translation>
    </message>
    <message>
        <location filename="../../hardware/hgroup.cpp" line="+20"/>
        <location filename="../../hardware/xvxjhandler.cpp" line="+35"/>
        <source>Groups</source>
        <translation>Groups</translation>
    </message>
    <message>
        <location filename="../../hardware/hparameterset.cpp" line="+20"/>
        <location filename="../../hardware/hparametersetlist.cpp" line="+34"/>
        <location filename="../../hardware/xvxjhandler.cpp" line="+2"/>
        <source>ParameterSets</source>
        <translation>ParameterSets</translation>
    </message>
    <message>
        <location filename="../../hardware/hparametersetlist.cpp" line="-27"/>
        <location filename="../../hardware/xvxjhandler.cpp" line="+3"/>
        <source>ParameterSetLists</source>
        <translation>ParameterSetLists</translation>
    </message>
    <message>
        <location filename="../../hardware/hrcgroup.cpp" line="+19"/>
        <location filename="../../hardware/xvxjhandler.cpp" line="-2"/>
        <source>RCGroups</source>
        <translation>RCGroups</translation>
    </message>
    <message>
        <location line="+60"/>
        <location filename="../../hardware/hrcroom.cpp" line="+9"/>
        <source>RCRooms</source>
        <translation>RCRooms</translation>
    </message>
</context>
<context>
    <name>HRCGroupInfo</name>
    <message>
        <location filename="../../hardware/hrcgroupinfo.cpp" line="+225"/>
        <source>Cannot add &apos;%1&apos; to the selected combination.</source>
        <translation>Cannot add &apos;%1&apos; to the selected combination.</translation>
    </message>
</context>
<context>
    <name>IInterface</name>
    <message>
        <location filename="../../comm/iinterface.cpp" line="+13"/>
        <source> - Offline - Idle</source>
        <translation> - Offline - Idle</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> - Offline - Connecting</source>
        <translation> - Offline - Connecting</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> - Online - Running</source>
        <translation> - Online - Running</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> - Offline - Reconnecting</source>
        <translation> - Offline - Reconnecting</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> - Offline - Resetting</source>
        <translation> - Offline - Resetting</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> - Unknown State</source>
        <translation> - Unknown State</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>not connected</source>
        <translation>not connected</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>connecting</source>
        <translation>connecting</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>online</source>
        <translation>online</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>unreachable</source>
        <translation>unreachable</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>refused</source>
        <translation>refused</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>resetting</source>
        <translation>resetting</translation>
    </message>
</context>
<context>
    <name>MModel</name>
    <message>
        <location filename="../../model/mmodel.cpp" line="+92"/>
        <source>it is not a project archive, or the archive is damaged</source>
        <translation>it is not a project archive, or the archive is damaged</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the archive holds no panel file</source>
        <translation>the archive holds no panel file</translation>
    </message>
    <message>
        <location line="+200"/>
        <source>the panel file cannot be read</source>
        <translation>the panel file cannot be read</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>the panel file gives no usable window size</source>
        <translation>the panel file gives no usable window size</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>The demonstration project is shown instead.</source>
        <translation>The demonstration project is shown instead.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The project that was open before, &quot;%1&quot;, is shown again.</source>
        <translation>The project that was open before, &quot;%1&quot;, is shown again.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Project not opened</source>
        <translation>Project not opened</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The project &quot;%1&quot; could not be opened: %2.</source>
        <translation>The project &quot;%1&quot; could not be opened: %2.</translation>
    </message>
    <message>
        <location line="+124"/>
        <source>Nothing can be received: port %1 cannot be opened (%2).</source>
        <translation>Nothing can be received: port %1 cannot be opened (%2).</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Waiting for the design tool to send a project to port %1 of this computer, at:
%2</source>
        <translation>Waiting for the design tool to send a project to port %1 of this computer, at:
%2</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Receiving from %1...</source>
        <translation>Receiving from %1...</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Receiving from %1: %2 bytes so far.</source>
        <translation>Receiving from %1: %2 bytes so far.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>No project was received: %1

The project that was open stays open.</source>
        <translation>No project was received: %1

The project that was open stays open.</translation>
    </message>
    <message>
        <location line="+212"/>
        <source>The project has no node %1.</source>
        <translation>The project has no node %1.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Nodes can be placed on the drop sites of a template panel only.</source>
        <translation>Nodes can be placed on the drop sites of a template panel only.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>This drop site takes &quot;%1&quot; only.</source>
        <translation>This drop site takes &quot;%1&quot; only.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&quot;%1&quot; has no module template.</source>
        <translation>&quot;%1&quot; has no module template.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>the module template holds no control</source>
        <translation>the module template holds no control</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Node not placed</source>
        <translation>Node not placed</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&quot;%1&quot; was not placed: %2.</source>
        <translation>&quot;%1&quot; was not placed: %2.</translation>
    </message>
    <message>
        <location line="+262"/>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Error - No link has been defined for this region.

Please set a link using the properties panel.</source>
        <translation>Error - No link has been defined for this region.

Please set a link using the properties panel.</translation>
    </message>
</context>
<context>
    <name>MProject</name>
    <message>
        <location filename="../../model/mproject.cpp" line="+77"/>
        <source>Facility
</source>
        <translation>Facility
</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Business Manager
</source>
        <translation>Business Manager
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Engineer
</source>
        <translation>Engineer
</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Customer
</source>
        <translation>Customer
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
        <translation>Copyright © Orvik. All rights reserved.</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>No network information available.</source>
        <translation>No network information available.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>No network interfaces found.</source>
        <translation>No network interfaces found.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No network connection detected.</source>
        <translation>No network connection detected.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Mobile IP Address:

</source>
        <translation>Mobile IP Address:

</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Receive Control Panel...</source>
        <translation>Receive Control Panel...</translation>
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
        <translation>About Veloxa Remote...,Project Information...,Network Status...,Receive...</translation>
    </message>
</context>
<context>
    <name>PFileProtocol</name>
    <message>
        <location filename="../../comm/pfileprotocol.cpp" line="+19"/>
        <source>Nothing arrived for %1 seconds, so the transfer was given up.</source>
        <translation>Nothing arrived for %1 seconds, so the transfer was given up.</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>

Try both re-installing and running this application with Administrator priveleges.</source>
        <translation>

Try both re-installing and running this application with Administrator priveleges.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Interface or Model is null.</source>
        <translation>Interface or Model is null.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Cannot open file at `%1` because %2</source>
        <translation>Cannot open file at `%1` because %2</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The sender closed the connection without sending anything.</source>
        <translation>The sender closed the connection without sending anything.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>What arrived is not a project: %1.</source>
        <translation>What arrived is not a project: %1.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The previous download cannot be kept as %1.</source>
        <translation>The previous download cannot be kept as %1.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The download cannot be stored as %1.</source>
        <translation>The download cannot be stored as %1.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The sender went on past %1 MiB, more than any project holds, so the transfer was stopped.</source>
        <translation>The sender went on past %1 MiB, more than any project holds, so the transfer was stopped.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The download cannot be written: %1</source>
        <translation>The download cannot be written: %1</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The receive was cancelled.</source>
        <translation>The receive was cancelled.</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Sending to Mobile Device...</source>
        <translation>Sending to Mobile Device...</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Abort</source>
        <translation>Abort</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../../formats/xskinhandler.cpp" line="+50"/>
        <source>the skin file</source>
        <translation>the skin file</translation>
    </message>
</context>
<context>
    <name>QmlActiveRoomCombo</name>
    <message>
        <location filename="../qmlcontrol/QmlActiveRoomCombo.qml" line="+20"/>
        <source>Combined rooms</source>
        <translation>Combined rooms</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Combined w/ </source>
        <translation>Combined w/ </translation>
    </message>
</context>
<context>
    <name>QmlBounds</name>
    <message>
        <location filename="../qmlcontrol/QmlBounds.qml" line="+20"/>
        <source>Panel outline</source>
        <translation>Panel outline</translation>
    </message>
</context>
<context>
    <name>QmlButton</name>
    <message>
        <location filename="../qmlcontrol/QmlButton.qml" line="+58"/>
        <location line="+106"/>
        <source>Setup</source>
        <translation>Setup</translation>
    </message>
    <message>
        <location line="-106"/>
        <source>Connection</source>
        <translation>Connection</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Button</source>
        <translation>Button</translation>
    </message>
</context>
<context>
    <name>QmlCmdButton</name>
    <message>
        <location filename="../qmlcontrol/QmlCmdButton.qml" line="+34"/>
        <source>Command</source>
        <translation>Command</translation>
    </message>
</context>
<context>
    <name>QmlComboSelector</name>
    <message>
        <location filename="../qmlcontrol/QmlComboSelector.qml" line="+21"/>
        <source>Room combinations</source>
        <translation>Room combinations</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Combination %1</source>
        <translation>Combination %1</translation>
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
        <translation>Receive Control Panel...</translation>
    </message>
</context>
<context>
    <name>QmlDialer</name>
    <message>
        <location filename="../qmlcontrol/QmlDialer.qml" line="+18"/>
        <source>Dialer</source>
        <translation>Dialer</translation>
    </message>
    <message>
        <location line="+266"/>
        <source>Enter a number</source>
        <translation>Enter a number</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Backspace</source>
        <translation>Backspace</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>Call</source>
        <translation>Call</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>End</source>
        <translation>End</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Answer</source>
        <translation>Answer</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Answer &amp; End</source>
        <translation>Answer &amp; End</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Hold &amp; Answer</source>
        <translation>Hold &amp; Answer</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Decline</source>
        <translation>Decline</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Resume</source>
        <translation>Resume</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Hold</source>
        <translation>Hold</translation>
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
        <translation>List</translation>
    </message>
</context>
<context>
    <name>QmlDropsite</name>
    <message>
        <location filename="../qmlcontrol/QmlDropsite.qml" line="+21"/>
        <source>Drop site</source>
        <translation>Drop site</translation>
    </message>
    <message>
        <location line="+71"/>
        <source>Clear drop site</source>
        <translation>Clear drop site</translation>
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
        <translation>Frame</translation>
    </message>
</context>
<context>
    <name>QmlImage</name>
    <message>
        <location filename="../qmlcontrol/QmlImage.qml" line="+20"/>
        <source>Picture</source>
        <translation>Picture</translation>
    </message>
</context>
<context>
    <name>QmlLabel</name>
    <message>
        <location filename="../qmlcontrol/QmlLabel.qml" line="+23"/>
        <source>Label</source>
        <translation>Label</translation>
    </message>
</context>
<context>
    <name>QmlLevelButtons</name>
    <message>
        <location filename="../qmlcontrol/QmlLevelButtons.qml" line="+35"/>
        <source>Level</source>
        <translation>Level</translation>
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
        <translation>Level meter</translation>
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
        <translation>Level meter</translation>
    </message>
</context>
<context>
    <name>QmlNodeList</name>
    <message>
        <location filename="../qml/objects/QmlNodeList.qml" line="+55"/>
        <source>Filter nodes</source>
        <translation>Filter nodes</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Filter nodes: drag a row onto a drop site</source>
        <translation>Filter nodes: drag a row onto a drop site</translation>
    </message>
</context>
<context>
    <name>QmlPanelLink</name>
    <message>
        <location filename="../qmlcontrol/QmlPanelLink.qml" line="+57"/>
        <source>Panel link</source>
        <translation>Panel link</translation>
    </message>
</context>
<context>
    <name>QmlRegion</name>
    <message>
        <location filename="../qmlcontrol/QmlRegion.qml" line="+44"/>
        <source>Region</source>
        <translation>Region</translation>
    </message>
</context>
<context>
    <name>QmlRoomSelector</name>
    <message>
        <location filename="../qmlcontrol/QmlRoomSelector.qml" line="+57"/>
        <source>Room</source>
        <translation>Room</translation>
    </message>
</context>
<context>
    <name>QmlStatusBarObject</name>
    <message>
        <location filename="../qml/objects/QmlStatusBarObject.qml" line="+126"/>
        <source>Collections</source>
        <translation>Collections</translation>
    </message>
</context>
<context>
    <name>QmlTextEdit</name>
    <message>
        <location filename="../qmlcontrol/QmlTextEdit.qml" line="+46"/>
        <source>Value</source>
        <translation>Value</translation>
    </message>
</context>
<context>
    <name>QmlTextLink</name>
    <message>
        <location filename="../qmlcontrol/QmlTextLink.qml" line="+39"/>
        <source>Preset</source>
        <translation>Preset</translation>
    </message>
</context>
<context>
    <name>QmlToolBarObject</name>
    <message>
        <location filename="../qml/objects/QmlToolBarObject.qml" line="+85"/>
        <source>Setup</source>
        <translation>Setup</translation>
    </message>
</context>
<context>
    <name>VertexHandle</name>
    <message>
        <location filename="../qmlcontrol/VertexHandle.qml" line="+18"/>
        <source>Vertex %1</source>
        <translation>Vertex %1</translation>
    </message>
</context>
<context>
    <name>WActiveCombo</name>
    <message>
        <location filename="../../controls/wactivecombo.cpp" line="+83"/>
        <source>Ballroom A</source>
        <translation>Ballroom A</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Ballroom B</source>
        <translation>Ballroom B</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Boardroom</source>
        <translation>Boardroom</translation>
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
        <translation>%1 UNMUTE</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 MUTE</source>
        <translation>%1 MUTE</translation>
    </message>
</context>
<context>
    <name>WDialer</name>
    <message>
        <location filename="../../controls/wdialer.cpp" line="+17"/>
        <source>UNKNOWN</source>
        <translation>UNKNOWN</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CONFERENCE</source>
        <translation>CONFERENCE</translation>
    </message>
    <message>
        <location line="+469"/>
        <source>Call Ended</source>
        <translation>Call Ended</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Active</source>
        <translation>Active</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Incoming</source>
        <translation>Incoming</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Active + Incoming</source>
        <translation>Active + Incoming</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Dialing</source>
        <translation>Dialing</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Busy</source>
        <translation>Busy</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Hold</source>
        <translation>Hold</translation>
    </message>
</context>
<context>
    <name>WRoomSelection</name>
    <message>
        <location filename="../../controls/wroomselection.cpp" line="+125"/>
        <source>Room Combine Failure</source>
        <translation>Room Combine Failure</translation>
    </message>
</context>
<context>
    <name>WWidget</name>
    <message>
        <location filename="../../controls/wwidget.cpp" line="+283"/>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No properties for this control.</source>
        <translation>No properties for this control.</translation>
    </message>
</context>
<context>
    <name>XVXJHandler</name>
    <message>
        <location filename="../../hardware/xvxjhandler.cpp" line="+66"/>
        <source>the designer project</source>
        <translation>the designer project</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+8"/>
        <location line="+3"/>
        <source>%1 cannot be read</source>
        <translation>%1 cannot be read</translation>
    </message>
    <message>
        <location line="-8"/>
        <source>devices, channels and blocks</source>
        <translation>devices, channels and blocks</translation>
    </message>
    <message>
        <location line="+85"/>
        <source>the designer project is version %1, older than 4.2</source>
        <translation>the designer project is version %1, older than 4.2</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Open Veloxa Designer File Error</source>
        <translation>Open Veloxa Designer File Error</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Veloxa Remote builder cannot open this file. (version: </source>
        <translation>Veloxa Remote builder cannot open this file. (version: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>)

Veloxa Designer files saved in a version earlier than Veloxa v4.2 can&apos;t be opened. If your file is from an earlier version, please visit </source>
        <translation>)

Veloxa Designer files saved in a version earlier than Veloxa v4.2 can&apos;t be opened. If your file is from an earlier version, please visit </translation>
    </message>
    <message>
        <location line="+3"/>
        <source> to download the latest version of Veloxa Designer.

Once you have installed the latest version of Veloxa Designer, open the design file and re-save it. This will update the file to the newest format which can then be opened in Veloxa Remote builder. Also ensure that your system devices have been updated to the latest firmware (System-&gt;Update Firmware). </source>
        <translation> to download the latest version of Veloxa Designer.

Once you have installed the latest version of Veloxa Designer, open the design file and re-save it. This will update the file to the newest format which can then be opened in Veloxa Remote builder. Also ensure that your system devices have been updated to the latest firmware (System-&gt;Update Firmware). </translation>
    </message>
</context>
<context>
    <name>XmlGuard</name>
    <message>
        <location filename="../../formats/xmlguard.cpp" line="+26"/>
        <source>%1 is not well-formed XML (line %2: %3)</source>
        <translation>%1 is not well-formed XML (line %2: %3)</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>%1 cannot be read</source>
        <translation>%1 cannot be read</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 is larger than %2 MB</source>
        <translation>%1 is larger than %2 MB</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 holds a text or attribute value longer than %2 characters</source>
        <translation>%1 holds a text or attribute value longer than %2 characters</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>%1 declares a document type or entities, which project files never do</source>
        <translation>%1 declares a document type or entities, which project files never do</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 nests elements deeper than %2 levels</source>
        <translation>%1 nests elements deeper than %2 levels</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 holds more than %2 elements</source>
        <translation>%1 holds more than %2 elements</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 holds more than %2 %3</source>
        <translation>%1 holds more than %2 %3</translation>
    </message>
</context>
</TS>
