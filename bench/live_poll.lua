-- One phone on the live page: asks for the data file once a second with the
-- tag it holds and the encodings a browser takes, as the page's script does.
local etag = nil

function delay()
  return 1000
end

request = function()
  if etag then
    return wrk.format("GET", nil, { ["Accept-Encoding"] = "gzip, deflate", ["If-None-Match"] = etag })
  end
  return wrk.format("GET", nil, { ["Accept-Encoding"] = "gzip, deflate" })
end

response = function(status, headers, body)
  if headers["ETag"] then
    etag = headers["ETag"]
  end
end
