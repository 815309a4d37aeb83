#!/usr/bin/env python3
# Writes the seed archives of fuzz_zip_open into this folder (run again to refresh them).
import io, os, subprocess, tempfile, zipfile

here = os.path.dirname(os.path.abspath(__file__))

def save(name, data):
    with open(os.path.join(here, name), 'wb') as f:
        f.write(data)

def make(entries, method=zipfile.ZIP_DEFLATED, comment=b'', stream=False, prefix=b''):
    buf = io.BytesIO()
    class Pipe:
        def write(self, b): return buf.write(b)
        def tell(self): raise OSError('pipe')
        def flush(self): pass
    z = zipfile.ZipFile(Pipe() if stream else buf, 'w', method)
    for name, data in entries:
        if name.endswith('/'):
            z.writestr(zipfile.ZipInfo(name), b'')
        elif stream:
            with z.open(name, 'w') as w:
                w.write(data)
        else:
            z.writestr(name, data)
    z.comment = comment
    z.close()
    return prefix + buf.getvalue()

wav = b'RIFF' + (36 + 400).to_bytes(4, 'little') + b'WAVEfmt ' + bytes([16, 0, 0, 0, 1, 0, 1, 0]) + \
      (8000).to_bytes(4, 'little') + (16000).to_bytes(4, 'little') + bytes([2, 0, 16, 0]) + b'data' + \
      (400).to_bytes(4, 'little') + bytes((i * 37) & 0xFF for i in range(400))

save('deflated.zip', make([('Anna.wav', wav), ('Anna^.wav', wav[:100])]))
save('stored.zip', make([('a.txt', b'hello'), ('dir/', b''), ('dir/b.txt', b'x' * 300)], zipfile.ZIP_STORED))
save('descriptor.zip', make([('s.wav', wav)], stream=True))
save('comment-stub.zip', make([('c.txt', b'comment')], comment=b'archive comment', prefix=b'MZ' + b'\0' * 60))
save('traversal.zip', make([('../../up.wav', b'up'), ('/abs.wav', b'abs'), ('C:/drive.wav', b'd')]))
save('utf8.zip', make([('\u65e5\u672c.wav', b'jp'), ('caf\u00e9.wav', b'fr')]))
save('empty.zip', make([]))
with tempfile.TemporaryDirectory() as tmp:
    with open(os.path.join(tmp, 'x.wav'), 'wb') as f:
        f.write(wav)
    subprocess.run(['zip', '-q', '-X', os.path.join(tmp, 'iz.zip'), 'x.wav'], cwd=tmp, check=True)
    with open(os.path.join(tmp, 'iz.zip'), 'rb') as f:
        save('infozip.zip', f.read())
