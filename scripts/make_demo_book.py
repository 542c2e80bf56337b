#!/usr/bin/env python3
"""Writes the demo book (examples/book) in the page file format: UTF-8 with BOM, CR LF."""
import os, struct, sys, zlib

ROOT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'examples', 'book')

STYLES = {
    4: dict(body='#bacdfa', h1c='white;', h1b='#8c8cff;', h1s='9mm', h1border='outset outset outset outset;',
            h1bc='border-color : white white white white;', h2s='7mm', h2r='white;', h2c='black;', tc='black;', ts='7mm'),
    2: dict(body='#ffffff', h1c='white;', h1b='#1faf9a;', h1s='7mm', h1border='none none none none;',
            h1bc=None, h2s='6mm', h2r='#1faf9a;', h2c='#1faf9a;', tc='black;', ts='6mm'),
    1: dict(body=None, h1c='white;', h1b='#1faf9a;', h1s='6mm', h1border='none none none none;',
            h1bc=None, h2s='4mm', h2r='#1faf9a;', h2c='#1faf9a;', tc='black;', ts='4mm'),
}

def style_block(n):
    s = STYLES[n]
    lines = ['<!--STYLE_IN-->', '<STYLE type="text/css">']
    if s['body']:
        lines.append('BODY{background : %s} a:link{color : #990099} b:vlink{color : #990000}' % s['body'])
    lines += ['<!--', 'H1{', 'color : ' + s['h1c'], 'background-color : ' + s['h1b'],
              'font-size :' + s['h1s'] + ';', 'border-style : ' + s['h1border']]
    if s['h1bc']:
        lines.append(s['h1bc'])
    lines += ['padding-top : 10px;', 'padding-left : 10px;', 'padding-right : 10px;', 'padding-bottom : 10px;', '}',
              'H2{', 'font-size :' + s['h2s'] + ';border-style : none none inset none;',
              'border-bottom-color :  ' + s['h2r'], 'color :  ' + s['h2c'], '}',
              'P{', 'color :  ' + s['tc'], 'font-size :' + s['ts'] + ';', 'line-height : 1.3em;', '}',
              'TABLE{', 'color :  ' + s['tc'], 'font-size :' + s['ts'] + ';', 'line-height : 1.3em;', '}',
              '-->', '</STYLE>', '<!--STYLE_OUT-->']
    return '\r'.join(lines)

def page(title, note, style=1, header='', footer=None):
    # The note section holds what the page editor edits (H1, H2, table, picture or link
    # paragraph, text paragraph); the page-turn links stand in the footer, which it keeps.
    if footer is None:
        footer = NAV
    head = ('<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">\r<HTML>\r<HEAD>\r'
            '<META http-equiv="Content-Type" content="text/html; charset=UTF-8">\r'
            '<META http-equiv="Content-Style-Type" content="text/css">')
    return (head + '<TITLE>' + title + '</TITLE>' + style_block(style) + '</HEAD>\r<BODY>'
            + '<!--HEDDA_IN-->' + header + '<!--HEDDA_OUT-->'
            + '<!--NOTE_IN-->' + note + '<!--NOTE_OUT-->'
            + '<!--FOOTER_IN-->' + footer + '<!--FOOTER_OUT-->\r'
            + '</BODY>\r</HTML>')

def write(rel, text):
    path = os.path.join(ROOT, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    lines = text.replace('\r\n', '\r').replace('\n', '\r').split('\r')
    if lines and lines[-1] == '':
        lines.pop()
    with open(path, 'wb') as f:
        f.write(b'\xef\xbb\xbf' + ''.join(l + '\r\n' for l in lines).encode('utf-8'))

def png(rel, w, h, colour_of):
    raw = b''.join(b'\x00' + b''.join(bytes(colour_of(x, y)) for x in range(w)) for y in range(h))
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
    data = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))
    path = os.path.join(ROOT, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)

NAV = ('<P><A href="/$BACK">← まえのページ</A>　<A href="/$NEXT">つぎのページ →</A></P>')
NOPIC = '<P></P>'

def cat(x, y):
    # A simple cat face: orange disc with two ears and dark eyes.
    cx, cy = 80, 90
    inside = (x - cx) ** 2 + (y - cy) ** 2 < 55 ** 2
    ear = (y < 60 and (abs(x - 45) < (60 - y) * 0.6 or abs(x - 115) < (60 - y) * 0.6) and y > 20)
    eye = (x - 60) ** 2 + (y - 80) ** 2 < 49 or (x - 100) ** 2 + (y - 80) ** 2 < 49
    if eye:
        return (30, 30, 30)
    if inside or ear:
        return (245, 160, 60)
    return (255, 255, 240)

def glyph(x, y):
    return (255, 120, 0) if (x - 8) ** 2 + (y - 8) ** 2 < 50 else (255, 255, 255)

png('neko.png', 160, 150, cat)
png('hoshi.png', 16, 16, glyph)

write('_index.html', '''<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">
<HTML>
<HEAD>
<META http-equiv="Content-Type" content="text/html; charset=UTF-8">
<TITLE>メニュー</TITLE>
<STYLE type="text/css">
BODY{background : #e8f0ff; font-size : 14px;}
A{display : block; margin : 6px 2px; color : #003399;}
</STYLE>
</HEAD>
<BODY>
<P><B>もくじ</B></P>
<A href="/$HOME">はじめに</A>
<!--MENU_IN-->
<A href="/$DIR さんすう">さんすう</A>
<A href="/$DIR りか">りか</A>
<!--MENU_OUT-->
</BODY>
</HTML>''')

write('_help.html', '''<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">
<HTML>
<HEAD>
<META http-equiv="Content-Type" content="text/html; charset=UTF-8">
<TITLE>ヘルプ</TITLE>
</HEAD>
<BODY>
<H1>この本の使い方</H1>
<P>右のボタンを押すと、そのページが開きます。下の矢印でページをめくります。</P>
<P>左下のスタートボタンからメニューを開けます。</P>
</BODY>
</HTML>''')

write('index.html', page('"hoshi.png"はじめに#Sorvekの本?この本の使い方',
    '<H1>ようこそ Sorvek の本へ</H1><H2>この本について</H2>'
    + NOPIC + '<P>この本は、Sorvek で作ったれんしゅう用の本です。<BR>右のボタンか、下の矢印でページをめくってください。</P>',
    style=4))

write('1010_どうぶつ.html', page('"neko.png"どうぶつ#ねこの絵?絵を見てみよう',
    '<H1>どうぶつ</H1><H2>ねこ</H2><P align="center"><IMG src="neko.png" width="160" height="150" alt="ねこ"></P>'
    '<P>ねこは、耳が三角で、目が大きい動物です。<BR>夜でもよく見えます。</P>', style=2))

write('1020_リンク.html', page('リンクの練習#コマンド?コマンドリンクを試す',
    '<H1>リンクの練習</H1><H2>コマンドリンク</H2>' + NOPIC +
    '<P><A href="/$NEXT">つぎへ（NEXT）</A><BR>'
    '<A href="/$BACK">まえへ（BACK）</A><BR>'
    '<A href="/$GO どうぶつ">どうぶつのページへ（GO）</A><BR>'
    '<A href="/$GOSUB まとめ">まとめを見て戻る（GOSUB）</A><BR>'
    '<A href="/$TOP">さいしょのページへ（TOP）</A><BR>'
    '<A href="/$DIR さんすう">さんすうのフォルダへ（DIR）</A></P>', style=1, footer=''))

write('1030_きせつ.html', page('きせつ#春夏秋冬?四つのきせつ',
    '<H1>きせつ</H1><H2>四つのきせつ</H2>'
    '<TABLE border="1"  width="640"><TBODY>\r<TR>\r<TD colspan="8" >日本には四つのきせつがあります。</TD></TR>\r</TBODY></TABLE>\r'
    + NOPIC + '<P>春、夏、秋、冬。それぞれのきせつに、きれいな花がさきます。</P>', style=2))

write('1040_まとめ.html', page('まとめ?さいごのページ',
    '<H1>まとめ</H1><H2>おつかれさまでした</H2>'
    + NOPIC + '<P>これでこの本はおわりです。<BR><A href="/$RETURN">よびだしたページに戻る（RETURN）</A></P>', style=1))

write('さんすう/index.html', page('さんすう#もくじ?さんすうのはじめ',
    '<H1>さんすう</H1><H2>たしざんとひきざん</H2>' + NOPIC + '<P>ボタンをえらんでください。</P>', style=4))
write('さんすう/1010_たしざん.html', page('たしざん?足し算の練習',
    '<H1>たしざん</H1><H2>1 + 2 = 3</H2>' + NOPIC + '<P>りんごが1こ、みかんが2こ。あわせて3こです。</P>', style=2))
write('さんすう/1020_ひきざん.html', page('ひきざん?引き算の練習',
    '<H1>ひきざん</H1><H2>5 - 2 = 3</H2>' + NOPIC + '<P>あめが5こありました。2こたべると、のこりは3こです。</P>', style=2))

write('りか/index.html', page('りか?りかのはじめ',
    '<H1>りか</H1><H2>しぜんのふしぎ</H2>' + NOPIC + '<P>水は0度でこおります。</P>', style=4))
