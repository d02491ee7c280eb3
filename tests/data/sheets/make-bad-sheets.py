#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Writes the damaged and hostile spreadsheets that SpreadsheetTest reads, beside this script.
# The good ones are LibreOffice's own: make-good-sheets.sh. Run once; the files are committed.
import io
import os
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
MIB = 1024 * 1024
FIXED_TIME = (2026, 1, 1, 0, 0, 0)

WORKBOOK = (
    '<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
    'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">'
    '<sheets><sheet name="Лист1" sheetId="1" r:id="rId1"/></sheets></workbook>')
RELATIONS = (
    '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
    '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
    'relationships/worksheet" Target="worksheets/sheet1.xml"/>'
    '<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
    'relationships/sharedStrings" Target="/xl/sharedStrings.xml"/></Relationships>')
TYPES = ('<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
         '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-'
         'officedocument.spreadsheetml.sheet.main+xml"/></Types>')
ODS_TYPE = 'application/vnd.oasis.opendocument.spreadsheet'
ODS_NAMESPACES = (
    'xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
    'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
    'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"')


def sheet(rows):
    """A worksheet of inline strings; rows are lists of texts, from row 1."""
    xml = ['<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
           '<sheetData>']
    for number, row in enumerate(rows, 1):
        xml.append(f'<row r="{number}">')
        for column, text in enumerate(row):
            reference = chr(ord('A') + column) + str(number)
            xml.append(f'<c r="{reference}" t="inlineStr"><is><t>{text}</t></is></c>')
        xml.append('</row>')
    xml.append('</sheetData></worksheet>')
    return ''.join(xml)


def content(rows_xml):
    return (f'<office:document-content {ODS_NAMESPACES}><office:body><office:spreadsheet>'
            f'<table:table table:name="Лист1">{rows_xml}</table:table>'
            '</office:spreadsheet></office:body></office:document-content>')


def ods_row(*texts, repeated=1):
    cells = ''.join(f'<table:table-cell office:value-type="string"><text:p>{text}</text:p>'
                    '</table:table-cell>' for text in texts)
    return f'<table:table-row table:number-rows-repeated="{repeated}">{cells}</table:table-row>'


def write(name, parts, encrypted=()):
    path = os.path.join(HERE, name)
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as archive:
        for part, data in parts.items():
            info = zipfile.ZipInfo(part, FIXED_TIME)
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data.encode() if isinstance(data, str) else data)
    # Python writes no encrypted parts: the flag that says a part is encrypted is set after,
    # in the part's local header and in the directory at the end.
    with open(path, 'r+b') as archive:
        data = bytearray(archive.read())
        for part in encrypted:
            for signature, flag_at in ((b'PK\x03\x04', 6), (b'PK\x01\x02', 8)):
                at = data.find(signature)
                while at >= 0:
                    name_at = at + (30 if flag_at == 6 else 46)
                    if data[name_at:name_at + len(part)] == part.encode():
                        data[at + flag_at] |= 0x1
                    at = data.find(signature, at + 1)
        archive.seek(0)
        archive.write(data)


def xlsx(worksheet, **more):
    parts = {'[Content_Types].xml': TYPES, 'xl/workbook.xml': WORKBOOK,
             'xl/_rels/workbook.xml.rels': RELATIONS, 'xl/worksheets/sheet1.xml': worksheet}
    parts.update(more)
    return parts


GOOD = sheet([['Река', 'Извор'], ['Искър', 'Рила']])

# Good, as other programs than LibreOffice write: inline strings and no shared strings part.
write('inline-strings.xlsx', xlsx(
    '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>'
    '<row><c t="inlineStr"><is><t>Река</t></is></c><c t="inlineStr"><is><r><t>Из</t></r>'
    '<r><t>вор</t></r><rPh><t>x</t></rPh></is></c><c t="inlineStr"><is><t>Вярно ли е</t></is>'
    '</c></row><row r="3"><c r="B3" t="str"><f>"Ри"&amp;"ла"</f><v>Рила</v></c>'
    '<c r="A3" t="inlineStr"><is><t xml:space="preserve"> Искър </t></is></c>'
    '<c r="C3" t="b"><v>1</v></c></row></sheetData></worksheet>'))
# ZIP bombs: one part, and all parts together, unpack beyond the limits.
write('bomb-part.xlsx', xlsx(GOOD + ' ' * (8 * MIB)))
write('bomb-total.xlsx', xlsx(GOOD, **{
    'xl/workbook.xml': WORKBOOK + ' ' * (6 * MIB),
    'xl/_rels/workbook.xml.rels': RELATIONS + ' ' * (6 * MIB),
    'xl/sharedStrings.xml': '<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/'
                            'main"/>' + ' ' * (6 * MIB)}))
no_sheet = xlsx(GOOD)
del no_sheet['xl/worksheets/sheet1.xml']
write('missing-sheet.xlsx', no_sheet)
write('missing-workbook.xlsx', {'[Content_Types].xml': TYPES, 'xl/worksheets/sheet1.xml': GOOD})
write('broken-xml.xlsx', xlsx(GOOD[:len(GOOD) // 2]))
write('encrypted-zip.xlsx', xlsx(GOOD), encrypted=('xl/workbook.xml',))
write('empty-sheet.xlsx', xlsx(sheet([])))
write('column-beyond-last.xlsx', xlsx(GOOD.replace('r="B2"', 'r="XFE2"')))
write('shared-string-missing.xlsx', xlsx(GOOD.replace(
    '<c r="B2" t="inlineStr"><is><t>Рила</t></is></c>', '<c r="B2" t="s"><v>7</v></c>')))
write('not-utf8.xlsx', xlsx(GOOD.encode().replace('Рила'.encode(), b'\xd0\xa0\xd0')))
write('control-character.xlsx', xlsx(sheet([['Река', 'Извор'], ['Искър', 'Рила'],
                                            ['Марица', 'Ри&#x1;ла']])))
write('document.docx', {
    '[Content_Types].xml':
        '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>',
    'word/document.xml': '<document/>'})
write('text.odt', {'mimetype': 'application/vnd.oasis.opendocument.text',
                   'content.xml': '<office:document-content/>'})
write('encrypted.ods', {
    'mimetype': ODS_TYPE,
    'META-INF/manifest.xml':
        '<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0">'
        '<manifest:file-entry manifest:full-path="content.xml"><manifest:encryption-data/>'
        '</manifest:file-entry></manifest:manifest>',
    'content.xml': bytes(range(256))})
write('empty-sheet.ods', {'mimetype': ODS_TYPE, 'content.xml': content(
    '<table:table-row table:number-rows-repeated="1048576"><table:table-cell '
    'table:number-columns-repeated="16384"/></table:table-row>')})
write('multiline.ods', {'mimetype': ODS_TYPE, 'content.xml': content(
    ods_row('Река', 'Извор') + '<table:table-row><table:table-cell><text:p>Искър</text:p>'
    '<text:p>и Марица</text:p></table:table-cell><table:table-cell><text:p>Рила</text:p>'
    '</table:table-cell></table:table-row>')})
write('repeated-rows.ods', {'mimetype': ODS_TYPE, 'content.xml': content(
    ods_row('Река', 'Извор') + ods_row('Искър', 'Рила', repeated=1048575))})
# Small files that ask for gigabytes: one shared string of 2 MiB used by every cell of a row,
# and a cell of millions of spaces repeated over every column.
LONG = 'Рила ' + 'я' * MIB
SHARED_LONG = ('<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
               f'<si><t>{LONG}</t></si></sst>')


def column_name(column):
    name = ''
    column += 1
    while column:
        column, letter = divmod(column - 1, 26)
        name = chr(ord('A') + letter) + name
    return name


def shared_row(columns):
    cells = ''.join(f'<c r="{column_name(c)}2" t="s"><v>0</v></c>' for c in range(columns))
    return sheet([['Река', 'Извор']]).replace('</sheetData>', f'<row r="2">{cells}</row></sheetData>')


write('shared-string-everywhere.xlsx',
      xlsx(shared_row(16384), **{'xl/sharedStrings.xml': SHARED_LONG}))
write('shared-string-long.xlsx', xlsx(shared_row(2), **{'xl/sharedStrings.xml': SHARED_LONG}))
SPACES = '<text:s text:c="2000000"/>' * 20000


def spaces_row(columns):
    return (f'<table:table-row><table:table-cell table:number-columns-repeated="{columns}" '
            f'office:value-type="string"><text:p>{SPACES}Искър</text:p></table:table-cell>'
            '</table:table-row>')


write('spaces-everywhere.ods', {'mimetype': ODS_TYPE,
                                'content.xml': content(ods_row('Река', 'Извор') + spaces_row(16384))})
write('spaces-long.ods', {'mimetype': ODS_TYPE,
                          'content.xml': content(ods_row('Река', 'Извор') + spaces_row(2))})
write('broken-xml.ods', {'mimetype': ODS_TYPE, 'content.xml': content('')[:200]})
# Documents that are text, or begin as text, but no table.
for name, data in (('document.pdf', '%PDF-1.4\n1 0 obj << /Type /Catalog >> endobj\n%%EOF\n'),
                   ('document.rtf', '{\\rtf1\\ansi Река;Извор\\par Искър;Рила}'),
                   ('page.html', '<!DOCTYPE html>\n<html><body>Река;Извор</body></html>\n'),
                   ('page-bom.htm', '\ufeff\r\n  <HTML><table><tr><td>Река</td></tr></table>')):
    with open(os.path.join(HERE, name), 'w', encoding='utf-8', newline='') as out:
        out.write(data)
# An encrypted workbook as Excel saves it: a compound file with an EncryptedPackage stream.
with open(os.path.join(HERE, 'encrypted.xlsx'), 'wb') as out:
    out.write(b'\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1' + bytes(504) +
              'EncryptedPackage'.encode('utf-16-le') + bytes(496))
# The start of a ZIP whose directory at its end is cut off.
with open(os.path.join(HERE, 'libreoffice-features.xlsx'), 'rb') as whole:
    with open(os.path.join(HERE, 'truncated.xlsx'), 'wb') as out:
        out.write(whole.read()[:3000])
