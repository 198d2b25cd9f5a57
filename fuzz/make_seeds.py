#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Zelvo developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the seed corpora of the fuzz targets into corpus/<target>/.

Each seed is laid out as its target reads the fuzzer's bytes (FuzzedDataProvider:
strings and byte runs from the front, whole numbers and choices from the end).
Run it again after changing a target's input layout; the seeds are kept in the
repository.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def text(s):
    """A string as ConsumeRandomLengthString reads it: backslashes doubled, ended by '\\' and one byte."""
    return s.replace("\\", "\\\\").encode("latin-1") + b"\\ "


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


SETUP = (b"[Application]\r\nIniVer=109\r\nRunNum=12\r\nShowLast=7\r\nUnits=0\r\nPeriod=.25\r\n"
         b"Freq=6100000;5000000;6000000;1\r\n\r\n[DataLog]\r\nLogEnabled=1\r\nLogType=2\r\n"
         b"LogFile=Zelvo.log\r\n\r\n[Zelvo]\r\nSensor 1=Sensor 1;ZS0001;1000;1000;10000;0\r\n"
         b"Sensor 2=Gold;QC-A17;19300;381;10000;0\r\n")
OLD_SETUP = (b"[Application]\nRunNum=3\nFreq=6.000,4.000,5.000,1\n[Zelvo]\n"
             b"Sensor 1=Top,ZS0001,1,1,100,0\nSensor 2=\"Side\",ZS0002,2.7,1.08,98,0\n")

# The INI store: section, key, value, another section and key, then the file.
write("ini_store", "replace", text("Application") + text("RunNum") + text("13") +
      text("DataLog") + text("LogFile") + SETUP)
write("ini_store", "new-key", text("Zelvo") + text("Sensor 3") + text("New;ZS0003;1;1;100;0") +
      text("Zelvo") + text("Sensor 1") + OLD_SETUP)
write("ini_store", "new-section", text("Graph") + text("YMax") + text("10") + text("Application") +
      text("RunNum") + b"\xef\xbb\xbf[Application]\r\rRunNum = '7' \x1a")
write("ini_store", "empty-file", text("A") + text("k") + text("") + text("a") + text("K"))

# The settings: the setup file itself.
write("settings", "current", SETUP)
write("settings", "oldest", OLD_SETUP)
write("settings", "empty", b"")


def provider(front, end_values):
    """Bytes for a FuzzedDataProvider: `front` is read from the start, `end_values`
    (one byte each) from the end, the first of them last in the file."""
    return front + bytes(reversed(end_values))


def replies(*chunks):
    out = b""
    for chunk in chunks:
        out += bytes([len(chunk)]) + chunk
    return out


# The sensor exchange: operation pairs, events, then the replies; at the end the
# device count, one serial number choice per device, the number of operation
# pairs and the number of events.
discovery = replies(b"!B25000\r\n", b"!C12500000\r\n", b"!B25000\r\n", b"!C12500000\r\n")
readings = replies(b"!A41610702\r\n", b"", b"!A4161", b"0702\r\n", b"!A-1\r\n", b"!A-2\r\n",
                   b"!AXYZ\r\n", b"\x00\x00", b"41610702\r\n", b"!@1.07\r\n")
ops = bytes([1, 0, 1, 1, 8, 0, 2, 0, 1, 1, 5, 0, 6, 0, 7, 3])
write("sensor_exchange", "two-sensors", provider(ops + discovery + readings, [2, 0, 1, 8, 0]))
write("sensor_exchange", "events", provider(ops + bytes([1, 2, 3, 4, 5, 10]) + discovery + readings,
                                            [2, 0, 1, 8, 6]))
write("sensor_exchange", "gone", provider(bytes([1, 0, 1, 0, 0, 0, 1, 0]) + discovery +
                                          bytes([255]) + readings, [1, 0, 4, 0]))
write("sensor_exchange", "same-serials", provider(ops + discovery + discovery + readings,
                                                  [3, 0, 4, 0, 8, 0]))

# The simulator's configuration text.
for name, sim in [("default", ""), ("eight", "devices=8;rate=0.5;noise=0.2;seed=42"),
                  ("names", "devices=3;d0.serial=QC-A17;d1.pid=6001;d2.freq=5400000"),
                  ("faults", "devices=4;d1.fault=unplug:20;d2.fault=slow:60;d3.fault=minus2"),
                  ("reply", "devices=1;d0.reply=!A4.16e7%0D%0A"),
                  ("mistake", "devices=2;d5.rate=x")]:
    write("sim_config", name, sim.encode())

# The ZELVO_PORTS text.
for name, ports in [("empty", ""), ("two", "/dev/pts/3=5C3E,ZS0001;/dev/ttyS4=5c3e,RIG-7"),
                    ("blanks", " /dev/pts/9 = 5C3E , ZS 12 ;"),
                    ("no-serial", "/dev/pts/1=1,"), ("mistake", "/dev/pts/1=XYZ12,a")]:
    write("ports", name, ports.encode())

# kitforge: install type and installer choice (from the end), then the typed fields.
fields = [text(s) for s in ["Ostrelix Ltd", "Ostrelix", "ostx", "2e1a", "b3a0",
                            "USB Serial Bus", "USB Serial Port", "Vdlink Drivers", "Setup"]]
write("kitforge_fields", "vcp", provider(b"".join(fields) + text("C:\\Program Files\\Ostrelix"),
                                         [1, 1, 0, 1, 1, 1]))
write("kitforge_fields", "linkvane", provider(b"".join(fields) + text("C:\\Linkvane"),
                                              [0, 1, 1, 0, 0, 1]))
write("kitforge_fields", "quotes", provider(b"".join(
    [text(s) for s in ["A \"B\" %C%", "a;b", "lv", "0403", "6001", "Dev \"1\"", "Port,1",
                       "P%1%", "inst"]]) + text("C:\\x"), [0, 0]))

# Data logs: a run of two channels, one failing once; appended runs with the log
# switched off and on and a decimal comma; a run cut by a power cut.
START = b"Start Log\tRun: 12\tDate: 6/12/2026   Time: 9:05:03\r\n"
HEADER = b"Time, Rate(A/s), Thick(kA), Frequency(Hz)\r\n"
RECORDS = (b"0.50, 01.27, 00.004, 5987654.32, 00.00, 00.000, 5999012.10, \r\n"
           b"1.00, 01.31, 00.005, 5987641.07,      ,       ,           , \r\n")
STOP = b"Stop Log\tRun: 12\tDate: 6/12/2026   Time: 9:05:04\r\n"
write("data_log", "one-run", START + HEADER + RECORDS + STOP)
write("data_log", "appended", START + HEADER + RECORDS + STOP + START + HEADER +
      RECORDS + STOP +
      b"Start Log\tRun: 13\tDate: 12.06.2026   Time: 23:59:59\nTime, MassRate, Mass, Frequency\n"
      b"0,50, 01,27, 00,004, 5987654,32, \n86399,90, 01,00, 00,010, 5987000,00, \n")
write("data_log", "cut", START + b"Time, Rate(A/s), Thick(A), Frequency(Hz)\r\n" + RECORDS +
      b"1.50, 01.2")
