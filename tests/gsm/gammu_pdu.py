#!/usr/bin/python3
"""Second opinion on SMS PDUs from the Gammu library (python3-gammu).

Reads one JSON request per line on stdin and answers one JSON line each:
  {"op": "check"}                                      -> {"ok": true}
  {"op": "decode", "pdu": HEX, "smsc": BOOL}           -> the fields Gammu reads from the PDU
  {"op": "deliver", "number": "+7...", "stamp": ISO, "text": STR} or with "data": HEX
                                                       -> {"pdu": HEX}, an SMS-DELIVER built by Gammu
"""
import datetime
import json
import sys

import gammu

_SKELETON = {
    'Folder': 2, 'InboxFolder': 0, 'Memory': '', 'Location': 0, 'Name': '', 'State': 'Read',
    'Class': -1, 'MessageReference': 0, 'ReplaceMessage': 0, 'RejectDuplicates': 0,
    'DeliveryStatus': 0, 'ReplyViaSameSMSC': 0, 'Type': 'Deliver',
    'UDH': {'Type': 'NoUDH', 'Text': b'', 'ID8bit': 0, 'ID16bit': 0, 'PartNumber': -1, 'AllParts': 0},
    'SMSC': {'Location': 0, 'Number': '+79000000000', 'Validity': 'NA', 'Format': 'Text',
             'Name': '', 'DefaultNumber': ''},
}


def decode(request):
    sms = gammu.DecodePDU(bytes.fromhex(request['pdu']), SMSC=request.get('smsc', False))
    text = sms['Text']
    if isinstance(text, str):
        # Gammu 1.42 turns an escape pair into one character yet copies as many characters as
        # the message has septets; what follows the real text starts with a NUL.
        text = text.split('\0', 1)[0]
    stamp = sms.get('DateTime')
    return {
        'type': sms['Type'],
        'number': sms['Number'],
        'coding': sms['Coding'],
        'text': text.hex().upper() if isinstance(text, bytes) else text,
        'length': sms['Length'],
        'validity': sms['SMSC'].get('Validity', ''),
        'smsc': sms['SMSC'].get('Number', ''),
        'stamp': stamp.strftime('%Y-%m-%dT%H:%M:%S') if stamp else '',
    }


def deliver(request):
    sms = dict(_SKELETON)
    sms['Number'] = request['number']
    sms['DateTime'] = datetime.datetime.fromisoformat(request['stamp'])
    if 'data' in request:
        sms['Text'] = bytes.fromhex(request['data'])
        sms['Coding'] = '8bit'
    else:
        sms['Text'] = request['text']
        sms['Coding'] = 'Default_No_Compression'
    return {'pdu': gammu.EncodePDU(sms, Layout='Deliver').hex().upper()}


def main():
    for line in sys.stdin:
        request = json.loads(line)
        op = request['op']
        try:
            if op == 'check':
                answer = {'ok': True}
            elif op == 'decode':
                answer = decode(request)
            elif op == 'deliver':
                answer = deliver(request)
            else:
                answer = {'error': 'unknown op ' + op}
        except Exception as error:  # the test shows what Gammu did not accept
            answer = {'error': repr(error)}
        print(json.dumps(answer), flush=True)


if __name__ == '__main__':
    main()
