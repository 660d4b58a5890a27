<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>Veloxa Remote</translation>
    </message>
    <message>
        <source>About Veloxa Remote...,Project Information...,Network Status...,Receive...</source>
        <translation>About Veloxa Remote...,Project Information...,Network Status...,Receive...</translation>
    </message>
</context>
<context>
    <name>MModel</name>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
</context>
</TS>
