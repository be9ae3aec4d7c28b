#!/usr/bin/env python3
"""Writes the crafted input files of the foreign-log tests, each value placed
at the column or offset its format's layout gives. The expected rows beside
them (<case>.rows) are written by hand. Run from anywhere:
    python3 tests/logtools/foreign/make_fixtures.py
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def put(path, data):
    full = os.path.join(HERE, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, 'wb') as f:
        f.write(data)


def columns(width, *placed):
    """A line of `width` blanks with each (first column from 1, bytes) put
    in place."""
    line = bytearray(b' ' * width)
    for col, text in placed:
        if isinstance(text, str):
            text = text.encode('ascii')
        line[col - 1:col - 1 + len(text)] = text
    return bytes(line).rstrip(b' ')


def mixw2():
    lines = [
        b'1;UA3ABC;200304151234;;;;14070.0;;;BPSK31;599;579;;;Ivan;Moscow;tnx;;UA9XBB;;EU001;KO85aa',
        b'2;ua9xbb;200304151300;;;;144300.0;;;SSB;59;57;;;Petr;Omsk;;;;;;',
        # Fewer than 22 fields, and a date that is no calendar date.
        b'3;K1ABC;200302301200;;;;21020.0;;;CW;599;599',
        # No call: no row.
        b'4;;200304151234;;;;14070.0',
    ]
    put('mixw2/basic.log', b'\r\n'.join(lines) + b'\r\n')


def aalog():
    head = [b'AALOG log file', b'Date     Time  Call         Band  Mode']
    rows = [
        columns(104, (1, '15.04.03'), (10, '12:34'), (16, 'UA3ABC'), (29, '1,8'), (35, 'CW'), (45, '599'),
                (56, '579'), (69, 'Ivan'), (80, 'Moscow'), (101, '+'), (103, '-')),
        columns(104, (1, '16.04.03'), (10, '08:00'), (16, 'K1ABC'), (29, '14,'), (35, 'SSB'), (45, '59'),
                (56, '57'), (69, 'Joe'), (80, 'Boston'), (101, '+'), (103, '+')),
        columns(104, (1, '31.02.03'), (10, '09:15'), (16, 'UA9XBB'), (29, '145'), (35, 'FM'), (45, '59'),
                (56, '59'), (101, '-'), (103, '+')),
        columns(104, (1, '17.04.03'), (10, '10:00'), (16, 'RA3AAA'), (29, '50'), (35, 'SSB'), (101, '-'), (103, '-')),
        columns(104, (1, '18.04.03'), (10, '11:00'), (16, 'UA3ABC'), (29, '3.5'), (35, 'CW'), (101, '?')),
    ]
    put('aalog/basic.log', b'\r\n'.join(head + rows) + b'\r\n')


def pstr(text, room):
    if isinstance(text, str):
        text = text.encode('ascii')
    return bytes([len(text)]) + text + b'\0' * (room - len(text))


def swislog_block(call, date_word, minute, hour, name_qth=b'', rstr=b'', rsts=b'', band=b'', mode=b'',
                  sent=b'N', received=b'N', locator=b'', remark=b'', remark_length=None):
    b = bytearray(128)
    b[0:14] = pstr(call, 13)
    b[14:16] = struct.pack('<H', date_word)
    b[16] = minute
    b[17] = hour
    b[22:48] = pstr(name_qth, 25)
    b[48:56] = pstr(rstr, 7)
    b[56:64] = pstr(rsts, 7)
    b[64:70] = pstr(band, 5)
    b[70:76] = pstr(mode, 5)
    b[76:77] = sent
    b[77:78] = received
    b[78:89] = pstr(locator, 10)
    b[89:128] = pstr(remark, 38)
    if remark_length is not None:
        b[89] = remark_length
    return bytes(b)


def swislog_date(day, month, yy):
    return (yy << 9) | (month << 5) | day


def swislog():
    header = b'SWISLOG header'.ljust(128, b'\0')
    blocks = [
        swislog_block(b'UA3ABC', 0x068F, 0x22, 0x0C, b'Ivan Moscow', b'59', b'57', b'14', b'SSB', b'Y', b'Y',
                      b'KO85', 'привет'.encode('cp866')),
        # Date word 0x6A2F is 15.01.1953; hour 26 reads as 18; band "29" is 10 m;
        # a remark length of 255 is cut to its room of 38.
        swislog_block(b'K1ABC', 0x6A2F, 5, 26, b'Joe', b'599', b'599', b'29', b'CW', b'Y', b'N',
                      remark=b'R' * 38, remark_length=255),
        swislog_block(b'UA9XBB', swislog_date(1, 5, 103), 0, 0, b'Petr Omsk city', b'59', b'59', b'144', b'FM'),
        swislog_block(b'RA3AAA', swislog_date(31, 2, 3), 30, 9, b'Oleg', b'59', b'59', b'50', b'SSB', b'N', b'Y'),
    ]
    put('swislog/basic.dat', header + b''.join(blocks))


def qz5ww_record(date, time, call, rstr, rsts, band, mode, text):
    rec = bytearray(b' ' * 78)
    for col, value in ((1, date), (7, time), (11, call), (23, rstr), (26, rsts), (29, band), (36, mode),
                       (40, text)):
        if isinstance(value, str):
            value = value.encode('ascii')
        rec[col - 1:col - 1 + len(value)] = value
    return bytes(rec)


def qz5ww():
    records = [
        # A blank call: the next record takes its row.
        qz5ww_record('030414', '1000', '', '59 ', '59 ', '14 MHZ', 'SSB', 'nobody'),
        qz5ww_record('030415', '1234', 'UA3ABC', '59 ', '57 ', '14 MHZ', 'SSB',
                     'Иван, Москва, привет'.encode('cp866')),
        qz5ww_record('990101', '0000', 'K1ABC', '599', '599', '144MHZ', 'CW', 'Joe'),
        qz5ww_record('030230', '2359', 'UA9XBB', '59 ', '59 ', '2 MHZ', 'FM', 'Petr, Omsk'),
        qz5ww_record('500101', '0100', 'RA3AAA', '59 ', '59 ', '1.8 MHZ', 'CW', ''),
    ]
    put('qz5ww/basic.log', b''.join(records))


def qz4w():
    def line(band, mode, date, time, number, call, rstr, rsts):
        return columns(60, (1, band), (4, mode), (8, date), (18, time), (23, number.rjust(7)), (30, call), (44, rstr),
                       (49, rsts))
    lines = [
        b'Band Mode Date      Time   QSO# Call worked    Sent Rcvd',
        b'---- ---- --------- ----- ---- ------------   ---- ----',
        line(' 20', 'CW', '15-Apr-03', '12:34', '1', 'UA3ABC', '599', '599'),
        line('160', 'CW', '16-Dec-99', '23:00', '2', 'K1ABC', '599', '579'),
        # Outside the six bands: as read; a month that is none: no date.
        line('  6', 'SSB', '17-Xyz-03', '01:00', '3', 'UA9XBB', '59', '59'),
        # "Band" anywhere in a line skips it, QSO or not.
        line(' 40', 'CW', '18-Apr-03', '02:00', '4', 'RA3AAA', '599', '599') + b' Band',
        b'short line',
        # No call: no row.
        line(' 80', 'CW', '19-Apr-03', '03:00', '5', '', '599', '599'),
        line(' 15', 'SSB', '01-Jan-41', '04:00', '6', 'RA3AAA', '59', '58'),
    ]
    put('qz4w/log.dat', b'\r\n'.join(lines) + b'\r\n')


def logeqf():
    def line(date, time, call, name, qth, rstr, rsts, freq, mode, info):
        return columns(268, (1, date), (9, time), (21, call), (33, name), (58, qth), (167, rstr), (177, rsts),
                       (187, freq), (196, mode), (221, info))
    lines = [
        b'LOG-EQF',
        line('20030415', '1234', 'UA3ABC', 'Ivan', 'Moscow', '59', '57', '144.300', 'LSB', 'first qso'),
        line('20030416', '0800', 'UA9XBB', 'Petr', 'Omsk', '59', '59', '145.500', 'FM', ''),
        line('20030417', '0900', 'K1ABC', 'Joe', 'Boston', '599', '599', '14.025', 'CW', 'tnx'),
        line('20030418', '1000', 'RA3AAA', 'Oleg', '', '59', '59', '7', 'USB', ''),
        line('20030230', '1100', 'UA3ABC', '', '', '59', '59', '430.100', 'FM', ''),
        line('20030419', '1200', 'UA3ABC', '', '', '59', '59', '3.650', 'SSB', ''),
    ]
    put('logeqf/basic.log', b'\r\n'.join(lines) + b'\r\n')


def commas():
    lines = [
        b'ua3abc,ivan,moscow,,04-15-03,12:34,,14,LSB,59,57,,X,good_qso_KO85',
        # 24 fields: those from 20 on are not read, and a field closed by ','
        # never overwrites the zones or the QSL state.
        b'ra3aaa,oleg,new-york,,12-31-99,23-59,,144-300,CW,599,599,,S,note_one,extra,5,FN31,NA-001,W1MGR,14025,x,y,z,w',
        b'ua9xbb,' + 'петр'.encode('cp866') + b',' + 'Ростов-на-Дону'.encode('cp866') +
        b',,02-30-03,01:00,,7.050,CW,599,599,,,',
        b'k1abc,joe,,,05-01-03,02:00,,3.5,SSB,59,59,,Q,tail',
    ]
    put('commas/basic.dat', b'\r\n'.join(lines) + b'\r\n')


def logplus_seed(folder):
    """A LOGPLUS table for the fuzz target's corpus only (the tests write
    theirs with shapelib): 18 text fields, two records, the second deleted."""
    widths = [8, 5, 10, 13, 2, 4, 3, 3, 3, 9, 19, 15, 11, 5, 4, 1, 8, 8]
    header_len, record_len = 32 + 32 * len(widths) + 1, 1 + sum(widths)
    head = bytearray(32)
    head[0] = 3
    head[4:8] = struct.pack('<I', 2)
    head[8:12] = struct.pack('<HH', header_len, record_len)
    for i, w in enumerate(widths):
        d = bytearray(32)
        d[0:11] = ('F%d' % i).encode().ljust(11, b'\0')
        d[11] = ord('C')
        d[16] = w
        head += d
    head += b'\r'
    def record(flag, values):
        r = bytearray(flag + b' ' * sum(widths))
        at = 1
        for w, v in zip(widths, values):
            r[at:at + len(v)] = v[:w]
            at += w
        return bytes(r)
    values = [b'20030415', b'12:34', b'', b'UA3ABC', b'14', b'', b'SSB', b'59', b'57', b'IVAN', b'tnx qso', b'',
              b'', b'', b'', b'C', b'', b'LOGBOOK']
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, 'seed.dbf'), 'wb') as f:
        f.write(bytes(head) + record(b' ', values) + record(b'*', values) + b'\x1a')


if __name__ == '__main__':
    import sys
    if len(sys.argv) == 3 and sys.argv[1] == '--logplus-seed':
        logplus_seed(sys.argv[2])
        sys.exit(0)
    mixw2()
    aalog()
    swislog()
    qz5ww()
    qz4w()
    logeqf()
    commas()
